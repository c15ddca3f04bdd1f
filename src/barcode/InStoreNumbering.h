#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "model/LabelSheet.h"

// Consecutive in-store codes handed out one at a time: a value that knows the
// next code, the last one given and how many, so that a caller that keeps it
// (or its next()) never gives a code twice.
class InStoreNumbering {
  public:
    // Numbering from the twelve digits `first` (flag 02 or 20 to 29); nothing
    // for any other text.
    static std::optional<InStoreNumbering> from(std::string_view first);

    // The next code with its check digit; nothing once the flag's numbers are
    // used up.
    std::optional<std::string> take();

    // The twelve digits of the next code (empty once used up).
    const std::string& next() const { return next_; }
    // The last code given (empty before the first).
    const std::string& last() const { return last_; }
    long given() const { return given_; }

  private:
    std::string next_;
    std::string last_;
    long given_ = 0;
};

// True for a label that prints without any code: it can take an in-store code.
bool needsInStoreCode(const LabelRecord& label);

// Gives every label of `sheet` that needs one the next code of `numbering`, in
// label order. Returns false when the numbers ran out first (the labels after
// stay without a code).
bool numberLabelsWithoutCode(LabelSheet& sheet, InStoreNumbering& numbering);
