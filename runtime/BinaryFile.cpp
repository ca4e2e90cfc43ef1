// The parts of BinaryFile that are the same on every platform; opening,
// reading and closing are in posix/ and windows/.
#include "BinaryFile.h"

namespace Runtime {

BinaryFile::~BinaryFile() { Close(); }

}  // namespace Runtime
