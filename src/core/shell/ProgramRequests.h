// What tallyvane-cli and a second launch ask the running program, and what it answers: the
// frames on the socket, the asking side, and where a session's program listens.
#pragma once

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Platform.h"

namespace tv {

struct ProgramRequest {
    static constexpr const char* kShow = "show";  // bring the calendar window to the front
    static constexpr const char* kRun = "run";    // carry out a tallyvane-cli command line
    std::string verb;
    std::string dataDir;            // the data folder the asker means
    std::string workingDir;         // where the asker's relative file names start
    std::vector<std::string> args;  // the command line, without the program name
};

struct ProgramAnswer {
    // OtherFolder: the program holds another data folder than the one asked about, so it
    // did nothing; the asker works as if no program were running.
    enum class Kind { Done, OtherFolder };
    Kind kind = Kind::Done;
    int status = 0;  // the exit status the command line gets
    std::string out, err;
};

// Frames: "TVF1", the payload's length (4 bytes, most significant first), the payload: a
// list of fields, each its length (4 bytes) and its bytes. Nothing is escaped, so any text
// travels unchanged.
std::string EncodeRequest(const ProgramRequest& request);
std::string EncodeAnswer(const ProgramAnswer& answer);
// False with why set when the payload is not a well-formed request or answer.
bool DecodeRequest(std::string_view payload, ProgramRequest& request, std::string& why);
bool DecodeAnswer(std::string_view payload, ProgramAnswer& answer, std::string& why);

constexpr size_t kMaxRequestBytes = size_t(1) << 20;
constexpr size_t kMaxAnswerBytes = size_t(64) << 20;

// Collects one frame from the bytes as they arrive. A length above the limit is refused when
// the header arrives, so memory only ever grows with bytes actually received.
class FrameReader {
public:
    enum class State { NeedMore, Complete, Bad };
    explicit FrameReader(size_t maxPayload) : m_max(maxPayload) {}

    State Feed(std::string_view bytes);
    State GetState() const { return m_state; }
    const std::string& Payload() const { return m_payload; }
    const std::string& Why() const { return m_why; }

private:
    size_t m_max;
    std::string m_header;
    std::string m_payload;
    size_t m_length = 0;
    State m_state = State::NeedMore;
    std::string m_why;
};

struct AskOutcome {
    enum class Kind {
        Answered,   // answer holds the program's answer
        NoProgram,  // nothing listens at the socket (none there, or left by a program that ended)
        NoAnswer,   // connected, but the program ended or said nothing before the patience ran out
        BadAnswer,  // what came back was not an answer
    };
    Kind kind = Kind::NoProgram;
    ProgramAnswer answer;
    std::string why;  // for every kind but Answered
};

// Sends one request and waits up to patience for the whole answer.
AskOutcome AskProgram(const std::string& socketPath, const ProgramRequest& request, std::chrono::milliseconds patience);

// Where the program of this login session locks and listens: a folder of the session's own
// ($XDG_RUNTIME_DIR/tallyvane, else tmpBase/tallyvane-UID), and in it a lock and a socket
// named after the display, so that a launch on another display or over ssh is another session.
struct SessionEndpoint {
    std::string lockPath;
    std::string socketPath;
};
std::optional<SessionEndpoint> FindSessionEndpoint(const EnvLookup& env, std::string& why,
                                                   const std::string& tmpBase = "/tmp");
// The display part of the names: DISPLAY without its screen number, else WAYLAND_DISPLAY,
// reduced to letters, digits, '.', '-' and '_'.
std::string SessionName(const EnvLookup& env);

}  // namespace tv
