#include "print/conclusion_text.h"

#include <cstdio>

namespace kx {

std::string DefectDescription(float depth, std::string_view integrityClass) {
    if (depth > 0) {
        char buf[64];
        std::snprintf(buf, sizeof buf, "距桩顶%.2f米左右有缺陷", static_cast<double>(depth));
        return buf;
    }
    // A class III or IV pile is never described as intact.
    if (integrityClass == "III") {
        return "桩身有明显缺陷";
    }
    if (integrityClass == "IV") {
        return "桩身存在严重缺陷";
    }
    return "桩身质量完整";
}

}  // namespace kx
