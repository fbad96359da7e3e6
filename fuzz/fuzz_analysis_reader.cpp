// Any byte sequence given to the analysis-file reader is rejected or read into a record that
// stores and reads back unchanged; nothing is read outside the input.
#include "round_trip.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CheckReadAndRoundTrip(data, size, false);
    return 0;
}
