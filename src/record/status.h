// Success or a failure with its reason, for core functions that can fail.
#pragma once

#include <string>
#include <utility>

namespace kx {

struct Status {
    bool ok = true;
    std::string reason;  // empty when ok

    static Status Ok() { return {}; }
    static Status Fail(std::string why) { return {false, std::move(why)}; }
    explicit operator bool() const { return ok; }
};

}  // namespace kx
