// CProgramServer: the running program's end of its session socket, where a second launch asks
// for the calendar window and tallyvane-cli sends its command lines.
#pragma once

#include <QObject>
#include <QString>
#include <chrono>
#include <string>

#include "platform/LocalSocket.h"
#include "shell/ProgramRequests.h"

class QLocalSocket;
class QSocketNotifier;

namespace tv {

class FrameReader;

// Everything runs on the user-interface thread: a command line is carried out there by the
// CLI's own handlers on the program's store, as the windows change it, and the windows then
// follow (the pages are refreshed, pop-ups of answered or deleted events close) before the
// answer goes back.
class CProgramServer : public QObject {
    Q_OBJECT
public:
    explicit CProgramServer(QObject* parent = nullptr);
    ~CProgramServer() override;

    // Listens at path. The caller holds the session's lock, so a socket found there is stale.
    bool Listen(const std::string& path, std::string& why);
    const std::string& socketPath() const { return m_listener.Path(); }

    // What the program answers to a request, having carried it out.
    static ProgramAnswer Answer(const ProgramRequest& request);

private:
    void acceptConnections();
    void readFrom(QLocalSocket* socket, FrameReader& reader);

    LocalListener m_listener;
    QSocketNotifier* m_notifier = nullptr;
};

// The second launch's side: asks the session's program to bring its calendar window to the
// front, waiting up to patience for one that is still starting. True when it answered; its
// note (another data folder than the one asked for) is then in note.
bool AskRunningCopyToShow(const SessionEndpoint& endpoint, const QString& dataDir, std::chrono::milliseconds patience,
                          QString& note);

}  // namespace tv
