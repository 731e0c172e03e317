#pragma once

#include <functional>
#include <utility>

// A window that is made the first time it is needed. Most of a session never
// opens most windows, and making them all at start would cost more than the
// main window itself. Reading it as a pointer makes it; Gemaakt() only looks.
template <class T> class TOpVraag {
public:
    explicit TOpVraag(std::function<T*()> maak)
        : m_maak(std::move(maak)) {}
    TOpVraag(const TOpVraag&) = delete;
    TOpVraag& operator=(const TOpVraag&) = delete;

    T* get() const {
        if (!m_venster)
            m_venster = m_maak();
        return m_venster;
    }
    T* operator->() const { return get(); }
    T& operator*() const { return *get(); }
    operator T*() const { return get(); }

    // The window if it has been made, else null.
    T* Gemaakt() const { return m_venster; }

private:
    std::function<T*()> m_maak;
    mutable T* m_venster = nullptr;
};
