// The compressor component's failures, shared by the component and its two codecs, which throw
// them without needing the component itself.
#pragma once

#include <stdexcept>

// Every failure of the component; the message says what failed and names the file.
class ELzrw1Exception : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The LZRW1/KH coder's hash table could not be allocated.
class ELzrw1KHCompressor : public ELzrw1Exception {
public:
    using ELzrw1Exception::ELzrw1Exception;
};

// The LZH coder's tables could not be allocated.
class ElzhException : public ELzrw1Exception {
public:
    using ELzrw1Exception::ELzrw1Exception;
};
