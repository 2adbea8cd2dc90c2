#pragma once

#include "platform/dao/CDaoFieldExchange.h"
#include "platform/utilities/QtrCipher.h"

// The text-column cipher as a field-exchange codec, for the enciphered
// columns of the table classes.
inline const CDaoTextCodec& QtrCipherCodec()
{
    static const CDaoTextCodec codec{&Encrypt, &Decrypt};
    return codec;
}
