// JSON helpers shared by the commands of quintaval-inspect: floats printed as the
// shortest decimal that reads back as the same float (0.1, not the double nearest to the
// float), and vectors as arrays.
#pragma once

#include <charconv>
#include <nlohmann/json.hpp>

#include "core/math.h"

namespace quintaval::inspect {

using Json = nlohmann::ordered_json;

inline double shortestDecimal(float value) {
  char digits[32];
  const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  double widened = value;
  std::from_chars(digits, end, widened);
  return widened;
}

inline Json toJson(const Vec3& v) {
  return Json::array({shortestDecimal(v.x), shortestDecimal(v.y), shortestDecimal(v.z)});
}

inline Json toJson(const Vec4& v) {
  return Json::array({shortestDecimal(v.x), shortestDecimal(v.y), shortestDecimal(v.z),
                              shortestDecimal(v.w)});
}

}  // namespace quintaval::inspect
