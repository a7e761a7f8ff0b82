#include "forms/exception.h"

#include "forms/text.h"

Exception::Exception(std::wstring message) : message(std::move(message)), utf8(WideToUtf8(this->message)) {}
