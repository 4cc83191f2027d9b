#pragma once

#include <optional>

#include <QByteArray>
#include <QString>

namespace v5::sim {

// The simulator's end of a pseudo-terminal. The program opens the other end, the slave, as its serial
// port. Packet mode on the master reports the slave's flushes, which stand in for the DTR pulse a
// pseudo-terminal does not have.
class PtyLine {
public:
    PtyLine() = default;
    ~PtyLine();
    PtyLine(const PtyLine&) = delete;
    PtyLine& operator=(const PtyLine&) = delete;

    // Creates the pair; on failure returns the reason.
    std::optional<QString> open();
    const QString& slavePath() const { return slavePath_; }
    int fd() const { return master_; }

    struct Input {
        QByteArray bytes;
        bool flushedInput = false;  // the program purged what it had not read yet
        bool failed = false;
    };
    // What the program sent or did since the last call; nothing when nothing is there.
    Input read();
    // Writes what the terminal takes now; returns how many bytes it took, -1 on failure.
    qint64 write(const QByteArray& bytes);
    // Cuts the line: the program sees its port hung up.
    void hangUp();
    // Drops what was written to the program and it has not read yet.
    void discardUnread();

private:
    int master_ = -1;
    int slave_ = -1;  // held open, so the master does not report a hang-up while no program is connected
    QString slavePath_;
};

}  // namespace v5::sim
