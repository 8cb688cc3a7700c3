#include "core/threads.h"

#include "base/lasting.h"
#include "platform/platform.h"

#include <atomic>
#include <cstdio>
#include <pthread.h>

namespace core {

namespace {

// The numbers threads take in the order they first ask: the main thread is 1.
struct ThreadNumbers {
    std::atomic<int64_t> next{2};
};

thread_local int64_t threadnumber = 0;

int64_t numberofthisthread() {
    if (threadnumber == 0) {
        threadnumber =
            platform::ismainthread() ? 1 : base::lasting<ThreadNumbers>().next.fetch_add(1);
    }
    return threadnumber;
}

} // namespace

void assignthreadnumber() {
    numberofthisthread();
}

std::string currentthreaddescription() {
    char buffer[160];
    std::snprintf(buffer, sizeof buffer, "<Thread: %p>{number = %lld, name = %s}",
                  static_cast<void*>(&threadnumber), static_cast<long long>(numberofthisthread()),
                  currentthreadname().c_str());
    return buffer;
}

int64_t parsethreadnumber(std::string_view description) {
    constexpr std::string_view key = "number = ";
    size_t at = description.find(key);
    if (at == std::string_view::npos) {
        return 0;
    }
    size_t begin = at + key.size();
    size_t comma = description.find(',', begin);
    if (comma == std::string_view::npos) {
        return 0;
    }
    std::string_view text = description.substr(begin, comma - begin);
    size_t i = 0;
    auto skipblanks = [&] {
        while (i < text.size() && text[i] == ' ') {
            ++i;
        }
    };
    skipblanks();
    bool negative = false;
    if (i < text.size() && text[i] == '-') {
        negative = true;
        ++i;
        skipblanks();
    }
    int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        if (value > (INT64_MAX - 9) / 10) {
            break; // more digits than a thread number can have
        }
        value = value * 10 + (text[i] - '0');
    }
    return negative ? -value : value;
}

int64_t currentthreadnumber() {
    return parsethreadnumber(currentthreaddescription());
}

void namecurrentthread(const std::string& name) {
    std::string cut = name.substr(0, 15);
    pthread_setname_np(pthread_self(), cut.c_str());
}

std::string currentthreadname() {
    char name[16] = {};
    if (pthread_getname_np(pthread_self(), name, sizeof name) != 0) {
        return {};
    }
    return name;
}

} // namespace core
