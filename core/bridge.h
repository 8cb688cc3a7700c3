#pragma once
// The main-thread bridge: platform work runs on the main thread, inline when the caller is
// already there, otherwise handed over synchronously; the caller sees its effects in order.
#include "platform/platform.h"

#include <type_traits>
#include <utility>

namespace core {

template <typename Work> auto onmain(Work&& work) -> std::invoke_result_t<Work> {
    using Result = std::invoke_result_t<Work>;
    if constexpr (std::is_void_v<Result>) {
        platform::runonmain([&] { work(); });
    } else {
        Result result{};
        platform::runonmain([&] { result = work(); });
        return result;
    }
}

} // namespace core
