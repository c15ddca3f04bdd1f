#pragma once

// A print spooler of the test's own (tests/spooler/private-cupsd.sh): started
// in a temporary folder, reached through CUPS_SERVER, which this process and
// every program it starts then use, and stopped by its process id at the end.
// Each queue's jobs land in a PostScript file of the folder, one job at a time.

#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <QThread>
#include <set>
#include <string>

class PrivateSpooler {
  public:
    // Margins of the queue with an unprintable edge: 12 pt (4.23 mm) a side.
    static constexpr double kMarginPoints = 12.0;

    PrivateSpooler() {
        // cupsd runs only as root and hands its filters to the user lp, who
        // must reach the folder.
        if (::geteuid() != 0 || !dir_.isValid()) {
            return;
        }
        QFile::setPermissions(dir_.path(), QFile::permissions(dir_.path()) | QFile::ExeOther |
                                               QFile::ReadOther | QFile::ExeGroup);
        const QString socket = dir_.filePath(QStringLiteral("run/cups.sock"));
        qputenv("CUPS_SERVER", socket.toLocal8Bit());
        started_ = script({QStringLiteral("start")}).exitCode == 0;
    }
    ~PrivateSpooler() { stop(); }
    PrivateSpooler(const PrivateSpooler&) = delete;
    PrivateSpooler& operator=(const PrivateSpooler&) = delete;

    // cupsd runs only as root: elsewhere these tests cannot run.
    static bool possibleHere() { return ::geteuid() == 0; }
    bool running() const { return started_; }

    void stop() {
        if (started_) {
            script({QStringLiteral("stop")});
            started_ = false;
        }
    }

    // Adds a queue whose A4 page has `marginPoints` unprintable on each edge.
    bool addQueue(const QString& name, double marginPoints = 0) {
        return script({QStringLiteral("queue"), name, QString::number(marginPoints)}).exitCode == 0;
    }

    // Runs one of the spooler's commands (lpadmin, cupsreject, lpstat, ...).
    struct Run {
        int exitCode = -1;
        QString out;
    };
    static Run command(const QString& program, const QStringList& args) {
        QProcess process;
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(program, args);
        Run run;
        if (process.waitForStarted(10000) && process.waitForFinished(120000) &&
            process.exitStatus() == QProcess::NormalExit) {
            run.exitCode = process.exitCode();
        }
        run.out = QString::fromLocal8Bit(process.readAll());
        return run;
    }

    // The ids ("Queue-12") of the jobs the spooler has accepted, done or not.
    std::set<QString> jobs() const {
        std::set<QString> ids;
        const Run run =
            command(QStringLiteral("lpstat"),
                    {QStringLiteral("-W"), QStringLiteral("all"), QStringLiteral("-o")});
        for (const QString& line : run.out.split('\n', Qt::SkipEmptyParts)) {
            ids.insert(line.section(' ', 0, 0));
        }
        return ids;
    }

    // Waits until every accepted job has gone through the filters (at most
    // a few minutes: a guard against a hung spooler, not a speed limit).
    bool waitUntilIdle() const {
        for (int i = 0; i < 1200; ++i) {
            const Run run = command(QStringLiteral("lpstat"), {QStringLiteral("-o")});
            if (run.exitCode == 0 && run.out.trimmed().isEmpty()) {
                return true;
            }
            QThread::msleep(200);
        }
        return false;
    }

    // The last job printed on `queue`, as PostScript.
    QString output(const QString& queue) const {
        return dir_.filePath(QStringLiteral("out/") + queue + QStringLiteral(".ps"));
    }

    // The pages of the last job on `queue`, rasterised in grey at `dpi`.
    std::vector<QImage> pages(const QString& queue, int dpi) const {
        const QString stem = dir_.filePath(queue + QStringLiteral("-page"));
        const Run run = command(
            QStringLiteral("gs"),
            {QStringLiteral("-q"), QStringLiteral("-dSAFER"), QStringLiteral("-dBATCH"),
             QStringLiteral("-dNOPAUSE"), QStringLiteral("-sDEVICE=pnggray"),
             QStringLiteral("-r") + QString::number(dpi),
             QStringLiteral("-sOutputFile=") + stem + QStringLiteral("-%03d.png"), output(queue)});
        std::vector<QImage> images;
        if (run.exitCode != 0) {
            return images;
        }
        QImageReader::setAllocationLimit(0);
        for (int page = 1;; ++page) {
            const QString png = stem + QStringLiteral("-%1.png").arg(page, 3, 10, QChar('0'));
            if (!QFile::exists(png)) {
                break;
            }
            images.push_back(QImage(png).convertToFormat(QImage::Format_Grayscale8));
            QFile::remove(png);
        }
        return images;
    }

    QString folder() const { return dir_.path(); }

    // The copies the job `id` ("Queue-12") was submitted with, as the spooler
    // keeps them in the job's control file (IPP attributes: the integer
    // attribute "copies"); 1 when the job names none, 0 when there is no
    // such file.
    int copiesOf(const QString& id) const {
        const int number = id.section('-', -1).toInt();
        QFile control(dir_.filePath(QStringLiteral("spool/c%1").arg(number, 5, 10, QChar('0'))));
        if (!control.open(QIODevice::ReadOnly)) {
            return 0;
        }
        const QByteArray bytes = control.readAll();
        const QByteArray tag(
            "\x21\x00\x06"
            "copies\x00\x04",
            11);
        const qsizetype at = bytes.indexOf(tag);
        if (at < 0 || at + tag.size() + 4 > bytes.size()) {
            return 1;
        }
        int copies = 0;
        for (qsizetype i = at + tag.size(); i < at + tag.size() + 4; ++i) {
            copies = copies * 256 + static_cast<unsigned char>(bytes[i]);
        }
        return copies;
    }

  private:
    Run script(const QStringList& args) const {
        return command(QStringLiteral("bash"), QStringList{QStringLiteral(TANAHUDA_PRIVATE_CUPSD),
                                                           args.front(), dir_.path()} +
                                                   args.mid(1));
    }

    QTemporaryDir dir_;
    bool started_ = false;
};
