#include "platform/PrinterQueue.h"

#include <cups/cups.h>

#include <memory>

namespace {

// A connection to the spooler the process is pointed at (CUPS_SERVER or the
// system's), given up after a few seconds rather than waited on.
using Connection = std::unique_ptr<http_t, decltype(&httpClose)>;

constexpr int kConnectMilliseconds = 5000;

Connection connectToSpooler() {
    return Connection(httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                                   kConnectMilliseconds, nullptr),
                      &httpClose);
}

// A queue's own name: the spooler knows instances ("name/instance") only as
// sets of options.
std::string queueName(const std::string& queue) {
    return queue.substr(0, queue.find('/'));
}

std::string optionValue(const cups_dest_t& dest, const char* name) {
    const char* value = cupsGetOption(name, dest.num_options, dest.options);
    return value != nullptr ? value : "";
}

// What the printer says of its state in words ("用紙切れ", "Printer is out of
// paper"): asked of the printer itself, as the queue list leaves it out.
std::string stateMessage(http_t* http, const cups_dest_t& dest) {
    const std::string uri = optionValue(dest, "printer-uri-supported");
    if (uri.empty()) {
        return {};
    }
    ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri.c_str());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr,
                 "printer-state-message");
    ipp_t* response = cupsDoRequest(http, request, "/");
    std::string message;
    if (ipp_attribute_t* attr = ippFindAttribute(response, "printer-state-message", IPP_TAG_TEXT)) {
        const char* text = ippGetString(attr, 0, nullptr);
        message = text != nullptr ? text : "";
    }
    ippDelete(response);
    return message;
}

// The problem the spooler's last refusal names.
QueueAnswer lastRefusal() {
    QueueAnswer answer;
    answer.detail = cupsLastErrorString() != nullptr ? cupsLastErrorString() : "";
    switch (cupsLastError()) {
        case IPP_STATUS_ERROR_NOT_FOUND:
            answer.problem = QueueProblem::Missing;
            break;
        case IPP_STATUS_ERROR_NOT_ACCEPTING_JOBS:
            answer.problem = QueueProblem::NotAccepting;
            break;
        case IPP_STATUS_ERROR_SERVICE_UNAVAILABLE:
            answer.problem = QueueProblem::SpoolerDown;
            break;
        default:
            answer.problem = QueueProblem::Refused;
            break;
    }
    return answer;
}

}  // namespace

QueueAnswer checkPrinterQueue(const std::string& queue) {
    const Connection http = connectToSpooler();
    if (!http) {
        return {QueueProblem::SpoolerDown, {}, 0};
    }
    const std::string name = queueName(queue);
    const std::string::size_type slash = queue.find('/');
    const std::string instance = slash == std::string::npos ? "" : queue.substr(slash + 1);
    cups_dest_t* dest =
        cupsGetNamedDest(http.get(), name.c_str(), instance.empty() ? nullptr : instance.c_str());
    if (dest == nullptr) {
        QueueAnswer answer = lastRefusal();
        // A spooler that answers but knows no such queue reports no error.
        if (answer.problem == QueueProblem::Refused) {
            answer.problem = QueueProblem::Missing;
        }
        return answer;
    }
    QueueAnswer answer;
    // IPP printer-state 5 is "stopped"; printer-is-accepting-jobs is "true" or "false".
    if (optionValue(*dest, "printer-is-accepting-jobs") == "false") {
        answer.problem = QueueProblem::NotAccepting;
    } else if (optionValue(*dest, "printer-state") == "5") {
        answer.problem = QueueProblem::Stopped;
    }
    if (!answer.ok()) {
        answer.detail = stateMessage(http.get(), *dest);
    }
    cupsFreeDests(1, dest);
    return answer;
}

QueueAnswer submitToPrinterQueue(const std::string& queue, const std::string& file,
                                 const std::string& title, const std::vector<JobOption>& options) {
    const Connection http = connectToSpooler();
    if (!http) {
        return {QueueProblem::SpoolerDown, {}, 0};
    }
    cups_option_t* cupsOptions = nullptr;
    int count = 0;
    for (const JobOption& option : options) {
        count = cupsAddOption(option.name.c_str(), option.value.c_str(), count, &cupsOptions);
    }
    const int jobId = cupsPrintFile2(http.get(), queueName(queue).c_str(), file.c_str(),
                                     title.c_str(), count, cupsOptions);
    cupsFreeOptions(count, cupsOptions);
    if (jobId <= 0) {
        const QueueAnswer refusal = lastRefusal();
        // The queue's state names the refusal better than the spooler's
        // error for the request does (a removed queue is "not found").
        const QueueAnswer now = checkPrinterQueue(queue);
        return now.ok() ? refusal : now;
    }
    return {QueueProblem::None, {}, jobId};
}
