// Joining deflate streams: a compressor that can only write a complete stream (its last block
// marked final) still gives a piece that another piece may follow, once that mark is cleared
// and the end is brought to a byte boundary with an empty stored block, as a sync flush does.
#pragma once

#include <cstddef>

namespace vell {

// Makes the complete raw deflate stream data[0, size) joinable: clears the final mark of its
// last block and appends the empty stored block (size grows by 4 or 5 bytes; capacity must
// allow that). False, with nothing changed, when the data is not one well-formed stream.
bool MakeJoinable(unsigned char* data, std::size_t& size, std::size_t capacity);

}  // namespace vell
