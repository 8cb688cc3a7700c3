#pragma once
// The audio module (platform/audio/) is loaded on the sound thread with the first sound.
#include "platform/audio/audiomodule.h"

#include <filesystem>
#include <vector>

namespace platform {

// Where the module may be, first to last, for code that runs in the file self: beside the shared
// library, or in the library folder beside a program's folder (the toolkit linked into the
// program); then in the library folder the toolkit was built for.
std::vector<std::filesystem::path> audiomodulecandidates(const std::filesystem::path& self);

// The module, loaded at the first call (sound thread only); null when none can be loaded, which
// is logged once.
const audio::Module* audiomodule();

} // namespace platform
