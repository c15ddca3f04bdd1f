#include "platform/PrinterQueue.h"

Result queueResult(const QueueAnswer& answer, const std::string& queue) {
    ResultCode code = ResultCode::Ok;
    switch (answer.problem) {
        case QueueProblem::None:
            return {};
        case QueueProblem::SpoolerDown:
            code = ResultCode::SpoolerDown;
            break;
        case QueueProblem::Missing:
            code = ResultCode::PrinterNotFound;
            break;
        case QueueProblem::Stopped:
            code = ResultCode::QueueStopped;
            break;
        case QueueProblem::NotAccepting:
            code = ResultCode::QueueNotAccepting;
            break;
        case QueueProblem::Refused:
            code = ResultCode::QueueRefused;
            break;
    }
    return Result::failure(code, answer.detail).withPrinter(queue);
}
