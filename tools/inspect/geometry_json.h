// JSON helpers shared by the geometry commands of quintaval-inspect: floats printed as
// the shortest decimal that reads back as the same float, and vectors as arrays.
#pragma once

#include <charconv>
#include <nlohmann/json.hpp>

#include "core/math.h"

namespace quintaval::inspect {

using GeometryJson = nlohmann::ordered_json;

inline double shortestDecimal(float value) {
  char digits[32];
  const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  double widened = value;
  std::from_chars(digits, end, widened);
  return widened;
}

inline GeometryJson toJson(const Vec3& v) {
  return GeometryJson::array({shortestDecimal(v.x), shortestDecimal(v.y), shortestDecimal(v.z)});
}

inline GeometryJson toJson(const Vec4& v) {
  return GeometryJson::array({shortestDecimal(v.x), shortestDecimal(v.y), shortestDecimal(v.z),
                              shortestDecimal(v.w)});
}

}  // namespace quintaval::inspect
