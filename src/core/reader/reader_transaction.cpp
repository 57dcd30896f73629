#include "reader/reader_transaction.h"

#include "reader/serial_port.h"

#include <algorithm>
#include <chrono>

namespace teb {
namespace {

constexpr std::string_view kCrLf = "\r\n";

void putOnTerminal(const ReaderSession &session, std::string_view line)
{
    if (session.terminal != nullptr)
        session.terminal->putOnTop(line);
}

} // namespace

std::chrono::milliseconds answerTimeout(const ReaderCommand &command, std::int32_t timeBase)
{
    return std::chrono::milliseconds(std::max<std::int64_t>(0, std::int64_t{command.waitFactor} * timeBase));
}

void clearTerminal(ReaderSession &session)
{
    if (session.terminal != nullptr)
        session.terminal->clear();
}

ReaderTransaction runTransaction(ReaderSession &session, const ReaderCommand &command)
{
    ReaderTransaction transaction;
    // The write shares the command's wait: a line held by XOFF or a low CTS
    // ends the command like a reader that does not answer.
    const std::chrono::milliseconds wait = answerTimeout(command, session.timeBase);
    transaction.heldBack = session.watch != nullptr && !session.watch->sending(command);
    ReaderPort::Meanwhile meanwhile;
    if (session.watch != nullptr)
        meanwhile = [&session] { return session.watch->waiting(); };
    std::uint32_t status = kWriteNoPort;
    if (!transaction.heldBack) {
        session.port.prepareForAnswer(meanwhile);
        status = session.port.WriteText(command.text, session.handle, wait);
    }
    transaction.sent = status == 0;
    if (transaction.sent || status == serial::kWriteTimedOutMask)
        putOnTerminal(session, command.echoLine);
    if (transaction.sent && !session.port.waitForLine(wait, transaction.answer, meanwhile))
        transaction.answer.clear();
    transaction.kept = keptAnswer(command, transaction.answer);
    transaction.succeeded = answerSucceeded(command, transaction.kept);
    if (command.rule != AnswerRule::TimeBase) {
        putOnTerminal(session, kCrLf);
        putOnTerminal(session, transaction.kept);
    }
    if (session.watch != nullptr)
        session.watch->exchanged(command, transaction);
    return transaction;
}

ReaderTransaction fixTimeBase(ReaderSession &session, TimeBaseFactor factor)
{
    ReaderTransaction transaction = runTransaction(session, torCommand());
    if (const auto timeBase = timeBaseFromAnswer(transaction.answer, factor))
        session.timeBase = *timeBase;
    return transaction;
}

ReaderOperationFlag::ReaderOperationFlag(ReaderPort &port, Kind kind)
    : m_flag(kind == Kind::Reading ? port.readingActive : port.writingActive)
{
    m_flag = true;
}

ReaderOperationFlag::~ReaderOperationFlag() { m_flag = false; }

} // namespace teb
