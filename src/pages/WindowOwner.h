#pragma once

#include "PageWindow.h"

#include <QObject>
#include <QPointer>
#include <QRect>

#include <array>
#include <functional>
#include <type_traits>

// The five secondary windows, in the order every "close them all" follows.
enum class Secondary { Escrever, Atualizar, VerLembrete, Ajuda, Sobre };
inline constexpr std::array<Secondary, 5> kAllSecondary = {
    Secondary::Escrever, Secondary::Atualizar, Secondary::VerLembrete, Secondary::Ajuda,
    Secondary::Sobre};

class WindowOwner;

// What the owner does to each secondary window alike.
class OwnedSlot {
public:
    // The open window, made hidden when there is none.
    virtual PageWindow& page() = 0;
    // The open window, or nullptr.
    virtual PageWindow* openPage() const = 0;

protected:
    ~OwnedSlot() = default;

private:
    friend class WindowOwner;
    virtual void forget() = 0;
};

// One secondary window, reached as the type its users need: a PageWindow, or an
// interface that is one (EditTarget), which make builds. It exists at most once:
// made on first use, also when code only reads or moves it, and forgotten the
// moment it closes, so the next use builds it afresh.
template <class Window> class Owned final : public OwnedSlot {
    static_assert(std::is_base_of_v<PageWindow, Window>, "a secondary window is a page");

public:
    using Make = std::function<Window*()>;

    Owned(WindowOwner& owner, Secondary id, Make make);
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;

    Window& get();
    Window* find() const { return window_; }
    // Hide, destroy and forget.
    void close()
    {
        if (window_)
            window_->close();
    }
    // Beside the main window, made if needed.
    void place(const QWidget* main);

    PageWindow& page() override { return get(); }
    PageWindow* openPage() const override { return window_; }

private:
    void forget() override { window_.clear(); }

    WindowOwner& owner_;
    Make make_;
    QPointer<Window> window_;
};

// Keeps the five together: each kind's Owned enlists here, and the owner does
// what concerns them all, in the close-all order.
class WindowOwner : public QObject {
    Q_OBJECT
public:
    // A gap of 60 twips between a secondary window and the main window.
    static constexpr int kGap = 4;
    // Top level with the main window, right edge kGap left of its left edge.
    static QPoint besideMain(const QRect& mainGeometry, int width);
    // window moved there, against main as it stands now.
    static void moveBeside(QWidget& window, const QWidget* main);

    // The open window, made hidden when there is none.
    PageWindow& get(Secondary id);
    // The open window, or nullptr.
    PageWindow* find(Secondary id) const;
    bool isOpen(Secondary id) const { return find(id) != nullptr; }

    void close(Secondary id);
    void closeAll();
    // Every window, made hidden where there is none; one already shown stays so.
    void makeAll();
    void hideAll();
    void place(Secondary id, const QWidget* main);
    // Every window, made hidden if needed, against the main window's left side.
    void dockAll(const QWidget* main);
    // Where F6 goes from `current`: the main window, then the shown secondary
    // windows in the close-all order, then the main window again.
    QWidget* nextShown(QWidget* main, const QWidget* current) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    template <class> friend class Owned;
    void enlist(Secondary id, OwnedSlot* slot);
    // A window just made: destroyed on close, and forgotten then.
    void adopt(PageWindow* window);
    OwnedSlot& slot(Secondary id) const;

    std::array<OwnedSlot*, kAllSecondary.size()> slots_{};
};

template <class Window>
Owned<Window>::Owned(WindowOwner& owner, Secondary id, Make make)
    : owner_(owner), make_(std::move(make))
{
    owner_.enlist(id, this);
}

template <class Window> Window& Owned<Window>::get()
{
    if (!window_) {
        window_ = make_();
        owner_.adopt(window_);
    }
    return *window_;
}

template <class Window> void Owned<Window>::place(const QWidget* main)
{
    WindowOwner::moveBeside(get(), main);
}
