#pragma once

#include <gsl/gsl_errno.h>

namespace yurana::analysis {

// GSL's error handler off for a scope: a failure comes back as a status to check, not as
// GSL's abort. The handler before is restored on leaving.
class QuietGsl {
  public:
    QuietGsl() : old_(gsl_set_error_handler_off()) {}
    ~QuietGsl() { gsl_set_error_handler(old_); }
    QuietGsl(const QuietGsl&) = delete;
    QuietGsl& operator=(const QuietGsl&) = delete;

  private:
    gsl_error_handler_t* old_;
};

}  // namespace yurana::analysis
