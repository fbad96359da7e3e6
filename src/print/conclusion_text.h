// The words a report gives a pile's integrity: shared by the Word report's summary table and,
// as an option, the report pages' pile blocks.
#pragma once

#include <string>
#include <string_view>

namespace kx {

// "距桩顶%.2f米左右有缺陷" for a depth above 0. Otherwise (also for a depth that is not a
// number) the pile's class says it: "桩身有明显缺陷" for class III, "桩身存在严重缺陷" for class
// IV (the defect is there without its marker), else "桩身质量完整".
std::string DefectDescription(float depth, std::string_view integrityClass = {});

}  // namespace kx
