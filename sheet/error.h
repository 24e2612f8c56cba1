// The one failure type of the program: a run-time failure that carries the
// description a user sees in the error report.
#pragma once

#include <QString>
#include <exception>
#include <string>

namespace lattora {

class Error : public std::exception {
public:
    explicit Error(QString description)
        : description_(std::move(description)), utf8_(description_.toStdString()) {}

    const QString& description() const noexcept { return description_; }
    const char* what() const noexcept override { return utf8_.c_str(); }

private:
    QString description_;
    std::string utf8_;
};

}  // namespace lattora
