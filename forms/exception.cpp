#include "forms/exception.h"

#include "forms/text.h"

Exception::Exception(std::wstring message)
    : address(__builtin_return_address(0)),
      message(std::move(message)),
      utf8(WideToUtf8(this->message)) {}
