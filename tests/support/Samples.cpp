#include "tests/support/Samples.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace formwright {

String Sample(const char* Name) {
  const std::string Path = std::string(FW_TEST_SAMPLES) + "/" + Name;
  std::ifstream In(Path, std::ios::binary);
  if (!In) throw std::runtime_error("Cannot read the sample file " + Path);
  std::ostringstream Text;
  Text << In.rdbuf();
  return Text.str();
}

}  // namespace formwright
