#pragma once

#include <optional>
#include <string>
#include <type_traits>
#include <utility>
#include <variant>

namespace teb {

// Why an operation failed, in the sentence an operator reads, and the
// system's error number behind it for callers that tell reasons apart.
struct Failure {
    std::string message;
    int systemError = 0; // errno of the call that failed; 0 when no system call did
};

// What an operation that can fail gives back: its value, or the failure
// that says why there is none.
template <typename T>
class [[nodiscard]] Result {
public:
    Result(T value) : m_state(std::in_place_index<0>, std::move(value)) {}
    Result(Failure failure) : m_state(std::in_place_index<1>, std::move(failure)) {}

    bool ok() const { return m_state.index() == 0; }
    explicit operator bool() const { return ok(); }
    T &operator*() { return std::get<0>(m_state); }
    const T &operator*() const { return std::get<0>(m_state); }
    T *operator->() { return &std::get<0>(m_state); }
    const T *operator->() const { return &std::get<0>(m_state); }
    T valueOr(T fallback) const & { return ok() ? **this : std::move(fallback); }
    T valueOr(T fallback) && { return ok() ? std::move(**this) : std::move(fallback); }
    const std::string &error() const { return failure().message; }
    const Failure &failure() const { return std::get<1>(m_state); }

private:
    std::variant<T, Failure> m_state;
};

template <>
class [[nodiscard]] Result<void> {
public:
    Result() = default;
    Result(Failure failure) : m_failure(std::move(failure)) {}

    bool ok() const { return !m_failure; }
    explicit operator bool() const { return ok(); }
    const std::string &error() const { return failure().message; }
    const Failure &failure() const { return *m_failure; }

private:
    std::optional<Failure> m_failure;
};

// A call that reports its failure by throwing `Error` (whose what() is the
// operator's sentence), as a Result.
template <typename Error, typename Call>
auto resultOf(Call &&call) -> Result<std::invoke_result_t<Call>>
{
    try {
        if constexpr (std::is_void_v<std::invoke_result_t<Call>>) {
            std::forward<Call>(call)();
            return {};
        } else {
            return std::forward<Call>(call)();
        }
    } catch (const Error &error) {
        return Failure{error.what()};
    }
}

} // namespace teb
