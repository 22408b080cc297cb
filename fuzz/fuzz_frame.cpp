// Fuzzes the frame decoder with arbitrary received bytes, and checks that every payload
// framed by the encoder decodes back to itself.
#include "driver/framing.h"

#include <cstdlib>
#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    std::vector<std::uint8_t> out(vantor::kMaxDecodedReply);
    vantor::DecodedFrame f = vantor::decodeFrame({data, size}, out);
    if (f.length > out.size() || f.consumed > size)
        std::abort();

    std::size_t payloadSize = size > vantor::kMaxRequestPayload ? vantor::kMaxRequestPayload : size;
    std::vector<std::uint8_t> frame(vantor::maxFrameSize(payloadSize));
    std::size_t n = vantor::encodeFrame({data, payloadSize}, frame);
    vantor::DecodedFrame back = vantor::decodeFrame({frame.data(), n}, out);
    if (payloadSize > 0 && (back.error != vantor::FrameError::None || back.length != payloadSize + 1 ||
                            back.consumed != n || std::memcmp(out.data(), data, payloadSize) != 0))
        std::abort();
    return 0;
}
