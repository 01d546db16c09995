#pragma once

#include <functional>
#include <utility>

// A replaceable platform interaction (message box, file dialog, document viewer, report preview).
// Production code calls Seam<Tag, Fn>::call(...); a test installs a scripted stand-in for the length of
// a scope with Seam<...>::Override, which puts the previous one back when it ends.
template <typename Tag, typename Signature>
class Seam;

template <typename Tag, typename Result, typename... Args>
class Seam<Tag, Result(Args...)>
{
public:
    using Function = std::function<Result(Args...)>;

    static Result call(Args... args) { return current()(std::forward<Args>(args)...); }

    class Override
    {
    public:
        explicit Override(Function replacement) : m_previous(std::exchange(current(), std::move(replacement))) {}
        ~Override() { current() = std::move(m_previous); }
        Override(const Override&) = delete;
        Override& operator=(const Override&) = delete;

    private:
        Function m_previous;
    };

private:
    static Function& current()
    {
        static Function f = Tag::platform;
        return f;
    }
};
