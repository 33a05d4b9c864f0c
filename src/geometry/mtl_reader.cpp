// MTL reading. Keywords are compared exactly and case-sensitively ("map_kd" is not a
// map). Colour lines take 0 for components they lack; a scalar that cannot be read
// leaves its property unchanged; a map keyword keeps only the first word after it, so a
// map option written before the file name is what gets stored.
#include "geometry/mtl_reader.h"

#include "textio/line_reader.h"
#include "textio/line_scanner.h"

namespace quintaval {

namespace {

Vec4 readColor(LineScanner& scan) {
  const Vec3 rgb = scan.readVec3();
  return Vec4{rgb.x, rgb.y, rgb.z, 1.0f};
}

void readMapName(LineScanner& scan, std::string& name) {
  const std::string_view word = scan.nextWord();
  if (!word.empty()) {
    name.assign(word);
  }
}

void applyLine(std::string_view keyword, LineScanner& scan, Material& m) {
  if (keyword == "illum") {
    scan.readFloatInto(m.illumination);
  } else if (keyword == "Ka") {
    m.colorKa = readColor(scan);
  } else if (keyword == "Kd") {
    m.colorKd = readColor(scan);
  } else if (keyword == "Ks") {
    m.colorKs = readColor(scan);
  } else if (keyword == "Ke") {
    m.colorKe = readColor(scan);
  } else if (keyword == "Ns") {
    scan.readFloatInto(m.shininess);
  } else if (keyword == "d" || keyword == "Tr") {
    // Tr is taken as the dissolve value itself, not as 1 - value.
    scan.readFloatInto(m.dissolve);
  } else if (keyword == "Tf") {
    const Vec4 filter = readColor(scan);
    m.dissolve = (filter.x + filter.y + filter.z) / 3.0f;
  } else if (keyword == "map_Ka") {
    readMapName(scan, m.mapKa);
  } else if (keyword == "map_Kd") {
    readMapName(scan, m.mapKd);
  } else if (keyword == "map_Ks") {
    readMapName(scan, m.mapKs);
  } else if (keyword == "map_Ke") {
    readMapName(scan, m.mapKe);
  } else if (keyword == "map_Ns") {
    readMapName(scan, m.mapNs);
  } else if (keyword == "map_d") {
    readMapName(scan, m.mapD);
  } else if (keyword == "map_Bump" || keyword == "bump") {
    readMapName(scan, m.mapBump);
  }
}

void readMaterialLines(LineReader& lines, std::vector<Material>& materials) {
  // Index rather than pointer: appending may move the materials.
  std::size_t current = 0;
  bool haveCurrent = false;
  std::string_view line;
  while (lines.next(line)) {
    LineScanner scan(line);
    const std::string_view keyword = scan.nextWord();
    if (keyword == "newmtl") {
      materials.emplace_back();
      materials.back().name.assign(scan.nextWord());
      current = materials.size() - 1;
      haveCurrent = true;
    } else if (haveCurrent && !keyword.empty()) {
      applyLine(keyword, scan, materials[current]);
    }
  }
}

}  // namespace

void readMaterialText(std::string_view text, std::vector<Material>& materials) {
  LineReader lines(text, kMtlLineLimit);
  readMaterialLines(lines, materials);
}

void readMaterialLibrary(const std::string& path, std::vector<Material>& materials) {
  LineReader lines(FilePath{path}, kMtlLineLimit);
  if (lines.opened()) {
    readMaterialLines(lines, materials);
  }
}

}  // namespace quintaval
