// The buffering every output stream shares: a system call per line would
// cost more than composing the line.
#pragma once

#include <string>
#include <string_view>

#include "platform/output_file.h"

namespace folvane {

class BufferedOutput : public OutputStream {
  public:
    explicit BufferedOutput(std::string name);

    bool Write(std::string_view bytes) override;
    bool Finish() override { return Flush(); }
    const std::string& ErrorMessage() const override { return error_; }

  protected:
    // Writes all of `bytes` to the system, or calls Fail and returns false.
    virtual bool WriteThrough(std::string_view bytes) = 0;

    bool Flush();
    // Records "name: reason" once; every later call fails.
    bool Fail(const std::string& reason);
    // Fail with the program's own words for the system's error `code`
    // (errno, GetLastError()).
    bool FailWithCode(unsigned long code);
    bool Failed() const { return failed_; }

  private:
    std::string name_;
    std::string buffer_;
    std::string error_;
    bool failed_ = false;
};

}  // namespace folvane
