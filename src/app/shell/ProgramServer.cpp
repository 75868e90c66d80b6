// CProgramServer: the running program's end of its session socket.
#include "ProgramServer.h"

#include <QFile>
#include <QLocalSocket>
#include <QSocketNotifier>
#include <QThread>
#include <QTimer>
#include <memory>
#include <sstream>

#include "Cli.h"
#include "ExtendedCommands.h"
#include "MainWnd.h"
#include "engine/ReminderPopup.h"
#include "platform/DataFolderLock.h"
#include "store/EventStore.h"
#include "store/EventTypeTable.h"
#include "store/ProgramFolder.h"

namespace tv {

namespace {

// An asker that connects and never finishes its request is let go after this long.
constexpr int kRequestPatienceMs = 10000;

// What the windows do after a change of theirs, done after a change made from the command
// line: the open pages show the store as it is now, and a pop-up whose reminder was answered
// or whose event was deleted closes.
void FollowOutsideChange() {
    if (CMainWnd* main = CMainWnd::Instance()) main->refreshPages();
    CReminderPopup::CloseAnsweredElsewhere();
}

}  // namespace

CProgramServer::CProgramServer(QObject* parent) : QObject(parent) {}

CProgramServer::~CProgramServer() = default;

bool CProgramServer::Listen(const std::string& path, std::string& why) {
    if (!m_listener.Listen(path, why)) return false;
    m_notifier = new QSocketNotifier(m_listener.Fd(), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &CProgramServer::acceptConnections);
    return true;
}

void CProgramServer::acceptConnections() {
    for (int fd = m_listener.Accept(); fd >= 0; fd = m_listener.Accept()) {
        auto* socket = new QLocalSocket(this);
        if (!socket->setSocketDescriptor(fd)) {
            CloseSocket(fd);
            delete socket;
            continue;
        }
        auto reader = std::make_shared<FrameReader>(kMaxRequestBytes);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket, reader] { readFrom(socket, *reader); });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        QTimer::singleShot(kRequestPatienceMs, socket, [socket] { socket->abort(); });
        // Bytes that came with the connection are there before any readyRead.
        if (socket->bytesAvailable() > 0) readFrom(socket, *reader);
    }
}

void CProgramServer::readFrom(QLocalSocket* socket, FrameReader& reader) {
    const QByteArray bytes = socket->readAll();
    if (reader.GetState() != FrameReader::State::NeedMore) return;
    switch (reader.Feed(std::string_view(bytes.constData(), size_t(bytes.size())))) {
        case FrameReader::State::NeedMore: return;
        case FrameReader::State::Bad: socket->abort(); return;
        case FrameReader::State::Complete: break;
    }
    ProgramRequest request;
    std::string why;
    if (!DecodeRequest(reader.Payload(), request, why)) {
        socket->abort();
        return;
    }
    const std::string answer = EncodeAnswer(Answer(request));
    socket->write(answer.data(), qint64(answer.size()));
    socket->disconnectFromServer();  // after the answer is written
}

ProgramAnswer CProgramServer::Answer(const ProgramRequest& request) {
    ProgramAnswer answer;
    const bool ourFolder = DataFolderLock::IsHeldHere(request.dataDir);
    if (request.verb == ProgramRequest::kShow) {
        CMainWnd::BringToFront();
        if (!ourFolder)
            answer.err = "Tallyvane is running on the data folder \"" + GetProgramFolder() + "\" and was shown.\n";
        return answer;
    }
    if (!ourFolder) {
        answer.kind = ProgramAnswer::Kind::OtherFolder;
        return answer;
    }
    std::ostringstream out, err;
    const cli::ProgramRun run =
        cli::RunForProgram(request, {GetEventTypeTable(), GetEventStore(), TypeFilePath()}, cli::FullToolCommands(),
                           out, err);
    if (run.writes) FollowOutsideChange();
    answer.status = run.status;
    answer.out = out.str();
    answer.err = err.str();
    return answer;
}

bool AskRunningCopyToShow(const SessionEndpoint& endpoint, const QString& dataDir, std::chrono::milliseconds patience,
                          QString& note) {
    const ProgramRequest request{ProgramRequest::kShow, QFile::encodeName(dataDir).toStdString(), {}, {}};
    const auto giveUp = std::chrono::steady_clock::now() + patience;
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(giveUp - std::chrono::steady_clock::now());
        const AskOutcome outcome =
            AskProgram(endpoint.socketPath, request, std::max(left, std::chrono::milliseconds(1)));
        if (outcome.kind == AskOutcome::Kind::Answered) {
            note = QString::fromStdString(outcome.answer.err);
            return true;
        }
        // Nobody listens yet: the copy that holds the session's lock is still starting.
        if (outcome.kind != AskOutcome::Kind::NoProgram || left.count() <= 0) return false;
        QThread::msleep(100);
    }
}

}  // namespace tv
