// Any byte sequence given to the raw-file reader is rejected or read into a record that
// stores and reads back unchanged; nothing is read outside the input.
#include "round_trip.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CheckReadAndRoundTrip(data, size, true);
    return 0;
}
