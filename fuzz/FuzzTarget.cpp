// One libFuzzer target; FUZZ_ENTRY names its entry in FuzzEntries.h.
#include "entries/FuzzEntries.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FUZZ_ENTRY(data, size);
    return 0;
}
