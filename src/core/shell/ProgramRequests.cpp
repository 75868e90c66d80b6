// What tallyvane-cli and a second launch ask the running program, and what it answers.
#include "ProgramRequests.h"

#include <cerrno>
#include <charconv>
#include <cstring>

#include "platform/LocalSocket.h"

namespace tv {

namespace {

constexpr char kMagic[] = "TVF1";
constexpr size_t kHeaderSize = 8;
constexpr char kRequestTag[] = "request";
constexpr char kAnswerTag[] = "answer";
constexpr char kDone[] = "done";
constexpr char kOtherFolder[] = "other-folder";

void PutLength(std::string& out, size_t n) {
    for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((n >> shift) & 0xFF);
}

size_t GetLength(std::string_view bytes) {
    size_t n = 0;
    for (size_t i = 0; i < 4; ++i) n = (n << 8) | static_cast<unsigned char>(bytes[i]);
    return n;
}

std::string Frame(const std::vector<std::string_view>& fields) {
    std::string payload;
    for (std::string_view f : fields) {
        PutLength(payload, f.size());
        payload.append(f);
    }
    std::string frame(kMagic, 4);
    PutLength(frame, payload.size());
    return frame + payload;
}

// Splits a payload into its fields; each length is checked against what is left, so a wrong
// length is refused instead of read past the end.
bool SplitFields(std::string_view payload, std::vector<std::string_view>& fields, std::string& why) {
    while (!payload.empty()) {
        if (payload.size() < 4 || GetLength(payload) > payload.size() - 4) {
            why = "a field runs past the end of the message";
            return false;
        }
        const size_t n = GetLength(payload);
        fields.push_back(payload.substr(4, n));
        payload.remove_prefix(4 + n);
    }
    return true;
}

bool ParseStatus(std::string_view text, int& status) {
    const char* end = text.data() + text.size();
    const auto [at, ec] = std::from_chars(text.data(), end, status);
    return ec == std::errc() && at == end && status >= 0 && status <= 255;
}

std::string SafeName(const std::string& text) {
    std::string out;
    for (char c : text) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
                           c == '-' || c == '_';
        out += plain ? c : '_';
        if (out.size() == 64) break;
    }
    return out;
}

}  // namespace

std::string EncodeRequest(const ProgramRequest& request) {
    std::vector<std::string_view> fields = {kRequestTag, request.verb, request.dataDir, request.workingDir};
    fields.insert(fields.end(), request.args.begin(), request.args.end());
    return Frame(fields);
}

std::string EncodeAnswer(const ProgramAnswer& answer) {
    const std::string status = std::to_string(answer.status);
    return Frame(
        {kAnswerTag, answer.kind == ProgramAnswer::Kind::Done ? kDone : kOtherFolder, status, answer.out, answer.err});
}

bool DecodeRequest(std::string_view payload, ProgramRequest& request, std::string& why) {
    std::vector<std::string_view> f;
    if (!SplitFields(payload, f, why)) return false;
    if (f.size() < 4 || f[0] != kRequestTag) {
        why = "not a request";
        return false;
    }
    if (f[1] != ProgramRequest::kShow && f[1] != ProgramRequest::kRun) {
        why = "an unknown request \"" + std::string(f[1].substr(0, 40)) + "\"";
        return false;
    }
    request.verb = f[1];
    request.dataDir = f[2];
    request.workingDir = f[3];
    request.args.assign(f.begin() + 4, f.end());
    return true;
}

bool DecodeAnswer(std::string_view payload, ProgramAnswer& answer, std::string& why) {
    std::vector<std::string_view> f;
    if (!SplitFields(payload, f, why)) return false;
    if (f.size() != 5 || f[0] != kAnswerTag || (f[1] != kDone && f[1] != kOtherFolder) ||
        !ParseStatus(f[2], answer.status)) {
        why = "not an answer";
        return false;
    }
    answer.kind = f[1] == kDone ? ProgramAnswer::Kind::Done : ProgramAnswer::Kind::OtherFolder;
    answer.out = f[3];
    answer.err = f[4];
    return true;
}

FrameReader::State FrameReader::Feed(std::string_view bytes) {
    if (m_state != State::NeedMore) {
        if (!bytes.empty()) {
            m_state = State::Bad;
            m_why = "more than one message";
        }
        return m_state;
    }
    if (m_header.size() < kHeaderSize) {
        const size_t take = std::min(bytes.size(), kHeaderSize - m_header.size());
        m_header.append(bytes.substr(0, take));
        bytes.remove_prefix(take);
        if (m_header.size() < kHeaderSize) return m_state;
        if (m_header.compare(0, 4, kMagic) != 0) {
            m_why = "not a Tallyvane message";
            return m_state = State::Bad;
        }
        m_length = GetLength(std::string_view(m_header).substr(4));
        if (m_length > m_max) {
            m_why = "a message of " + std::to_string(m_length) + " bytes, more than the " + std::to_string(m_max) +
                    " allowed";
            return m_state = State::Bad;
        }
    }
    if (bytes.size() > m_length - m_payload.size()) {
        m_why = "more bytes than the message announced";
        return m_state = State::Bad;
    }
    m_payload.append(bytes);
    if (m_payload.size() == m_length) m_state = State::Complete;
    return m_state;
}

AskOutcome AskProgram(const std::string& socketPath, const ProgramRequest& request,
                      std::chrono::milliseconds patience) {
    AskOutcome outcome;
    int error = 0;
    const int fd = ConnectLocal(socketPath, error);
    if (fd < 0) {
        outcome.why = std::strerror(error);
        return outcome;
    }
    const auto deadline = std::chrono::steady_clock::now() + patience;
    auto finish = [&](AskOutcome::Kind kind, std::string why) {
        CloseSocket(fd);
        outcome.kind = kind;
        outcome.why = std::move(why);
        return outcome;
    };
    if (!IsPeerThisUser(fd)) return finish(AskOutcome::Kind::NoProgram, "the socket belongs to another user");
    const std::string silent = "Tallyvane did not answer within " + std::to_string(patience.count() / 1000) + " s";
    const std::string ended = "Tallyvane ended before it answered";
    switch (SendAll(fd, EncodeRequest(request), deadline)) {
        case IoResult::Ok: break;
        case IoResult::TimedOut: return finish(AskOutcome::Kind::NoAnswer, silent);
        default: return finish(AskOutcome::Kind::NoAnswer, ended);
    }
    FrameReader reader(kMaxAnswerBytes);
    std::string chunk;
    while (reader.GetState() == FrameReader::State::NeedMore) {
        chunk.clear();
        switch (ReceiveSome(fd, chunk, deadline)) {
            case IoResult::Ok: reader.Feed(chunk); break;
            case IoResult::TimedOut: return finish(AskOutcome::Kind::NoAnswer, silent);
            default: return finish(AskOutcome::Kind::NoAnswer, ended);
        }
    }
    std::string why = reader.Why();
    if (reader.GetState() == FrameReader::State::Bad || !DecodeAnswer(reader.Payload(), outcome.answer, why))
        return finish(AskOutcome::Kind::BadAnswer, "Tallyvane answered with " + why);
    return finish(AskOutcome::Kind::Answered, {});
}

std::string SessionName(const EnvLookup& env) {
    std::string name;
    if (const auto display = env("DISPLAY"); display && !display->empty()) {
        name = *display;
        // ":0" and ":0.0" are the same display.
        const size_t colon = name.rfind(':');
        const size_t dot = name.rfind('.');
        if (colon != std::string::npos && dot != std::string::npos && dot > colon) name.resize(dot);
        name = "display" + name;
    } else if (const auto wayland = env("WAYLAND_DISPLAY"); wayland && !wayland->empty()) {
        name = *wayland;
    } else {
        name = "default";
    }
    return SafeName(name);
}

std::optional<SessionEndpoint> FindSessionEndpoint(const EnvLookup& env, std::string& why, const std::string& tmpBase) {
    const std::string folder = SessionFolderPath(env("XDG_RUNTIME_DIR"), tmpBase);
    if (!MakePrivateFolder(folder, why)) return std::nullopt;
    const std::string base = folder + "/" + SessionName(env);
    return SessionEndpoint{base + ".lock", base + ".sock"};
}

}  // namespace tv
