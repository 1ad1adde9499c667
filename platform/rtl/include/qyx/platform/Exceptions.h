// Exceptions of the run-time layer: the root class that carries one message, and the run-time errors
// that file, stream, conversion and component routines raise.
#pragma once

#include <exception>
#include <string>

namespace qyx {

/// Root of every error the libraries and the run-time layer raise: an object carrying one message.
class Exception : public std::exception {
public:
    explicit Exception(std::string Msg) : FMessage(std::move(Msg)) {}
    const std::string& Message() const noexcept { return FMessage; }
    void SetMessage(std::string Msg) { FMessage = std::move(Msg); }
    const char* what() const noexcept override { return FMessage.c_str(); }

private:
    std::string FMessage;
};

#define QYX_DECLARE_EXCEPTION(Name, Base)                                                                \
    class Name : public Base {                                                                           \
    public:                                                                                              \
        using Base::Base;                                                                                \
    }

/// Input/output error of the file routines; ErrorCode is the operating-system or run-time code.
class EInOutError : public Exception {
public:
    EInOutError(std::string Msg, int Code) : Exception(std::move(Msg)), ErrorCode(Code) {}
    int ErrorCode;
};

QYX_DECLARE_EXCEPTION(EConvertError, Exception);      ///< failed text/number/date conversion, failed Assign
QYX_DECLARE_EXCEPTION(EStreamError, Exception);       ///< stream failures
QYX_DECLARE_EXCEPTION(EFilerError, EStreamError);
QYX_DECLARE_EXCEPTION(EReadError, EFilerError);       ///< ReadBuffer could not read the full count
QYX_DECLARE_EXCEPTION(EWriteError, EFilerError);      ///< WriteBuffer could not write the full count
QYX_DECLARE_EXCEPTION(EFileStreamError, EStreamError);
QYX_DECLARE_EXCEPTION(EFOpenError, EFileStreamError); ///< a file stream could not open its file
QYX_DECLARE_EXCEPTION(EFCreateError, EFileStreamError); ///< a file stream could not create its file
QYX_DECLARE_EXCEPTION(EOutOfMemory, Exception);
QYX_DECLARE_EXCEPTION(EInvalidOperation, Exception);
QYX_DECLARE_EXCEPTION(EInvalidCast, Exception);
QYX_DECLARE_EXCEPTION(EInvalidArgument, Exception);
QYX_DECLARE_EXCEPTION(EListError, Exception);         ///< list index out of bounds and similar
QYX_DECLARE_EXCEPTION(EComponentError, Exception);    ///< invalid or duplicate component names
QYX_DECLARE_EXCEPTION(EVariantError, Exception);      ///< impossible variant conversions
QYX_DECLARE_EXCEPTION(EOSError, Exception);           ///< a failed operating-system call
QYX_DECLARE_EXCEPTION(EAbort, Exception);             ///< silent abort of an operation
QYX_DECLARE_EXCEPTION(EInvalidGraphic, Exception);    ///< an image that cannot be read or written
QYX_DECLARE_EXCEPTION(EPrinter, Exception);           ///< printer failures ("no printer installed")

} // namespace qyx
