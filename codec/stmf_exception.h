// Failures of the message layer: encoding a request, decoding what arrives.
// The exported calls and the receiver catch them and report their message.
#pragma once

#include "base/throwable.h"

class STMF_Exception : public RecoverException {
public:
    using RecoverException::RecoverException;
};

class DecodingException : public STMF_Exception {
public:
    using STMF_Exception::STMF_Exception;
};

class EncodingException : public STMF_Exception {
public:
    using STMF_Exception::STMF_Exception;
};

class InvalidReferenceException : public STMF_Exception {
public:
    using STMF_Exception::STMF_Exception;
};
