#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>
#include <utility>
#include <variant>

// Why a call that can fail did: a text the caller may show as it stands.
struct Failure {
    QString text;
};

// What a call that can fail returns: its value, or the failure that kept it
// from one. Reading the value of a failure is a programming error and stops
// the program in every build.
template<typename T>
class [[nodiscard]] Result
{
public:
    Result(T value) : m_state(std::in_place_index<0>, std::move(value)) {}
    Result(Failure failure) : m_state(std::in_place_index<1>, std::move(failure)) {}

    bool ok() const { return m_state.index() == 0; }
    explicit operator bool() const { return ok(); }

    const T &value() const &
    {
        if (!ok())
            qFatal("Result: the value of a failure was read: %s", qUtf8Printable(error()));
        return std::get<0>(m_state);
    }
    T &&value() &&
    {
        if (!ok())
            qFatal("Result: the value of a failure was read: %s", qUtf8Printable(error()));
        return std::get<0>(std::move(m_state));
    }
    const T &operator*() const & { return value(); }
    const T *operator->() const { return &value(); }

    // The failure's text; empty for a value.
    QString error() const { return ok() ? QString() : std::get<1>(m_state).text; }

private:
    std::variant<T, Failure> m_state;
};

// A call that can fail and has nothing to return but that it succeeded.
template<>
class [[nodiscard]] Result<void>
{
public:
    Result() = default;
    Result(Failure failure) : m_failure(std::move(failure)) {}

    bool ok() const { return !m_failure; }
    explicit operator bool() const { return ok(); }
    QString error() const { return m_failure ? m_failure->text : QString(); }

private:
    std::optional<Failure> m_failure;
};
