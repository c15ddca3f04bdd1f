#pragma once

#include <string>
#include <string_view>
#include <vector>

// The cells of one row of a product list, built line by line: a quoted cell
// may go on over line breaks, which become blanks (a label text is one line).
// A cell that begins with a double quote (blanks before it dropped) runs to
// its closing quote, a doubled quote inside standing for one, and whatever
// follows the closing quote up to the next separator is kept; blanks around
// any other cell are dropped.
class RowCells {
  public:
    explicit RowCells(char separator) : separator_(separator) {}

    // Adds the row's next line (without its line end). True when the row is
    // complete: no quote is open at the line's end.
    bool addLine(std::string_view line);
    // The row's cells, once complete.
    std::vector<std::string> take();

  private:
    void endCell();

    char separator_;
    std::vector<std::string> cells_;
    std::string cell_;
    bool quoted_ = false;    // the current cell began with a quote
    bool inQuotes_ = false;  // inside its quotes
    bool started_ = false;   // something other than blanks seen in this cell
};

// The separator of a list whose first line is `line`: the comma, the tab or
// the semicolon, whichever stands most often outside quotes (the comma when
// none does).
char detectSeparator(std::string_view line);
