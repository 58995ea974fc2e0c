#pragma once

#include <type_traits>
#include <utility>
#include <variant>

// A value or the error that stands in for it. C++20 has no std::expected; this is the small
// subset the code base needs, kept deliberately boring.
template <typename T, typename E> class Expected {
public:
    // A default Expected is an error, never a success; it exists for code that needs a
    // default-constructible result (waiting on a coroutine in tests).
    Expected() requires std::is_default_constructible_v<E> : m_data(std::in_place_index<1>) {}
    Expected(const T &value)
        : m_data(std::in_place_index<0>, value) {}
    Expected(T &&value)
        : m_data(std::in_place_index<0>, std::move(value)) {}
    Expected(const E &error)
        : m_data(std::in_place_index<1>, error) {}
    Expected(E &&error)
        : m_data(std::in_place_index<1>, std::move(error)) {}

    bool hasValue() const { return m_data.index() == 0; }
    explicit operator bool() const { return hasValue(); }

    T &value() & { return std::get<0>(m_data); }
    const T &value() const & { return std::get<0>(m_data); }
    T &&value() && { return std::get<0>(std::move(m_data)); }
    T &operator*() & { return value(); }
    const T &operator*() const & { return value(); }
    T *operator->() { return &value(); }
    const T *operator->() const { return &value(); }

    E &error() & { return std::get<1>(m_data); }
    const E &error() const & { return std::get<1>(m_data); }

private:
    std::variant<T, E> m_data;
};
