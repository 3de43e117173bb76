#pragma once

#include <QColor>
#include <QDate>
#include <QString>

#include <array>
#include <optional>

class Clock;

// The month calendar of one editor window: the month shown, its 42 day cells
// (six weeks, Sunday first) with today's highlight and the press colouring, and
// the dd/mm/yy text a picked day gives. The buttons keep the month between
// January 1753 and December 2078.
class Calendario {
public:
    static constexpr int kCasas = 42;
    static constexpr int kPrimeiroAno = 1753;
    static constexpr int kUltimoAno = 2078;
    static inline const QString kVazia = QStringLiteral(" ");
    static inline const QColor kCorHoje{0xA6, 0xD5, 0xFF};
    // The system colours the original cells and the pressed look came from.
    static inline const QColor kCorJanela{0xFF, 0xFF, 0xFF};
    static inline const QColor kCorDesktop{0x00, 0x4E, 0x98};
    static inline const QColor kCorBotao{0xEC, 0xE9, 0xD8};

    struct Casa {
        QString texto = kVazia;
        bool opaca = false;
        QColor fundo = kCorJanela;
    };

    explicit Calendario(const Clock& clock);

    static QString nomeDoMes(int mes);

    void mostraMesAtual();
    // False, with nothing changed, at the edge of the range: the caller warns.
    bool mesAnterior();
    bool proximoMes();

    // The keyboard's day. The calendar opens on the due date the editor holds
    // (dd/mm/yy) when it lies in the month shown, else on today when that does,
    // else on the 1st; the month buttons pick again by the same rule.
    void abre(const QString& vencimento);
    // Moves the day by this many days (arrows: 1 or 7), into the next or the
    // previous month at its edges. False, with nothing changed, past the range.
    bool moveEscolha(int dias);
    // Page Up and Down: the month before or after, on the same day where it has
    // one. False, with nothing changed, past the range.
    bool mudaMes(int passo);
    int casaEscolhida() const { return primeiroDiaSemana_ - 2 + diaEscolhido_; }

    void casaMouseDown(int i);
    void casaMouseUp(int i);
    // The date of cell i as dd/mm/yy; nothing for an empty cell.
    std::optional<QString> escreveTexto(int i) const;
    // The same date in words, "8 de dezembro de 2026"; empty for an empty cell.
    QString nomeDaCasa(int i) const;

    int mesExibido() const { return mesExibido_; }
    int anoExibido() const { return anoExibido_; }
    int diasNoMes() const { return diasNoMes_; }
    // The weekday of the 1st, 1 = Sunday to 7 = Saturday.
    int primeiroDiaSemana() const { return primeiroDiaSemana_; }
    QString titulo() const { return titulo_; }
    const Casa& casa(int i) const { return casas_.at(std::size_t(i)); }

private:
    void defineMes();
    void calculaPrimeiroDia();
    void desenhaMes();
    void lembraMesExibido();
    void escolhePelaRegra();
    // Shows the month of this date and picks its day; false past the range.
    bool vaiPara(const QDate& dia);

    const Clock& clock_;
    int mesExibido_ = 1;
    int anoExibido_ = kPrimeiroAno;
    int diasNoMes_ = 31;
    int primeiroDiaSemana_ = 1;
    QString titulo_;
    std::array<Casa, kCasas> casas_;

    // Today's day, and the month and year a picked day is combined with.
    int diaHoje_ = 0;
    int mesHoje_ = 0;
    int anoHoje_ = 0;
    // A pressed cell's colour before the press.
    QColor cor1Cal2_;
    QString vencimento_;
    int diaEscolhido_ = 1;
};
