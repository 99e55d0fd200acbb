#pragma once

#include <QString>

#include <stdexcept>

namespace host {

// A form data resource is missing or malformed, or a name is not defined in it; the message
// names the resource, the line and what was wrong.
class FormDataError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads a text resource (or file) as UTF-8; throws FormDataError when it cannot be read.
QString ReadFormText(const QString& path);

} // namespace host
