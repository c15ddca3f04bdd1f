#pragma once

// How far a batch print has come, for whoever shows it: the window a
// progress dialog (for jobs over a second), the tests a count.
class BatchProgressPort {
  public:
    virtual ~BatchProgressPort() = default;
    // The list was opened: `sheets` sheets are to be printed.
    virtual void started(long sheets) = 0;
    // `sheetsDone` sheets have been drawn.
    virtual void advanced(long sheetsDone) = 0;
    // The job has ended, printed or not.
    virtual void ended() = 0;
};
