#pragma once
// The one exception base of the program. Every error the user can cause is an Exception (or a
// subclass) carrying a message in the user's language; the application object catches it at the
// message loop and shows the error box.

#include <exception>
#include <string>

class Exception : public std::exception {
public:
    // noinline: the return address taken inside is the raising code's position.
    [[gnu::noinline]] explicit Exception(std::wstring message);

    const std::wstring& Message() const { return message; }
    // The class name shown by the start-up failure box ("Exception", "EReadError", ...).
    virtual const char* ClassName() const { return "Exception"; }
    // UTF-8 form of the message, for diagnostics and test output.
    const char* what() const noexcept override { return utf8.c_str(); }
    // Where the error was raised: the code that constructed it.
    const void* Address() const { return address; }

private:
    const void* address;
    std::wstring message;
    std::string utf8;
};

// Declares a subclass that only changes the reported class name.
#define PONDERIX_EXCEPTION(Name, Base)                           \
    class Name : public Base {                                   \
    public:                                                      \
        using Base::Base;                                        \
        const char* ClassName() const override { return #Name; } \
    }

PONDERIX_EXCEPTION(EStreamError, Exception);
PONDERIX_EXCEPTION(EReadError, EStreamError);
PONDERIX_EXCEPTION(EWriteError, EStreamError);
PONDERIX_EXCEPTION(EPropertyError, Exception);
PONDERIX_EXCEPTION(EConvertError, Exception);
PONDERIX_EXCEPTION(EOverflow, Exception);
PONDERIX_EXCEPTION(EInvalidOperation, Exception);
PONDERIX_EXCEPTION(EComponentError, Exception);
