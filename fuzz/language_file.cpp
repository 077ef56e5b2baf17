// Feeds arbitrary bytes to the language file reader: it must never read out
// of bounds, allocate what the file cannot hold, or throw.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>

#include <unistd.h>

#include "core/Translator.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string path = "/tmp/lc_fuzz_language_" + std::to_string(::getpid()) + ".mld";
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    lc::Translator t;
    t.SetFileName(path);
    for (const char* code : {"ENG", "RUS", "EN", ""}) {
        t.LoadLanguage(code);
        (void)t.Translate("S03000");
        (void)lc::TechniqueNames(t);
    }
    return 0;
}
