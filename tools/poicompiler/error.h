#pragma once

#include <stdexcept>

namespace poicompiler {

// Any reason the compiler stops without output; the message is one line for stderr.
class CompileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace poicompiler
