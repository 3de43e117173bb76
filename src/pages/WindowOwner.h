#pragma once

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QWidget>

#include <array>
#include <functional>

// The five secondary windows, in the order every "close them all" follows.
enum class Secondary { Escrever, Atualizar, VerLembrete, Ajuda, Sobre };
inline constexpr std::array<Secondary, 5> kAllSecondary = {
    Secondary::Escrever, Secondary::Atualizar, Secondary::VerLembrete, Secondary::Ajuda,
    Secondary::Sobre};

// Each secondary window exists at most once: created on first use, also when code
// only reads or moves it, and forgotten the moment it closes, so the next use
// builds it afresh.
class WindowOwner : public QObject {
    Q_OBJECT
public:
    using Factory = std::function<QWidget*()>;

    // A gap of 60 twips between a secondary window and the main window.
    static constexpr int kGap = 4;
    // Top level with the main window, right edge kGap left of its left edge.
    static QPoint besideMain(const QRect& mainGeometry, int width);

    void setFactory(Secondary id, Factory factory);
    // The open window, created hidden when there is none.
    QWidget* get(Secondary id);
    template <class T> T* get(Secondary id) { return qobject_cast<T*>(get(id)); }
    // The open window, or nullptr.
    QWidget* find(Secondary id) const;
    template <class T> T* find(Secondary id) const { return qobject_cast<T*>(find(id)); }
    bool isOpen(Secondary id) const { return find(id) != nullptr; }

    // Hide, destroy and forget.
    void close(Secondary id);
    void closeAll();
    // Every window, created hidden if needed.
    void hideAll();
    void place(Secondary id, const QWidget* main);
    // Every window, created hidden if needed, against the main window's left side.
    void dockAll(const QWidget* main);
    // Where F6 goes from `current`: the main window, then the shown secondary
    // windows in the close-all order, then the main window again.
    QWidget* nextShown(QWidget* main, const QWidget* current) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void forget(QWidget* window);

    std::array<Factory, kAllSecondary.size()> factories_;
    std::array<QPointer<QWidget>, kAllSecondary.size()> windows_;
};
