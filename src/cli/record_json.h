// The record as the JSON object of "kxtool info".
#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "record/pile_record.h"

namespace kx::cli {

// A float32 as the shortest decimal that reads back to the same float.
double JsonFloat(float v);

nlohmann::ordered_json RecordToJson(const PileRecord& rec, const std::string& path);

}  // namespace kx::cli
