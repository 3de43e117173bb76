#include "Calendario.h"

#include "Clock.h"
#include "DateWords.h"

#include <QStringList>

#include <algorithm>

namespace {

// The number a cell shows, or 0 for an empty cell.
int numeroDaCasa(const Calendario::Casa& casa)
{
    return casa.texto.trimmed().toInt();
}

} // namespace

Calendario::Calendario(const Clock& clock) : clock_(clock)
{
    // The designer gave the first cell the desktop colour; it shows only when
    // that cell turns opaque without being given a colour.
    casas_[0].fundo = kCorDesktop;
    mostraMesAtual();
}

QString Calendario::nomeDoMes(int mes)
{
    QString nome = DateWords::month(mes);
    nome[0] = nome.at(0).toUpper();
    return nome;
}

void Calendario::mostraMesAtual()
{
    const QDate hoje = clock_.now().date();
    mesExibido_ = hoje.month();
    anoExibido_ = hoje.year();
    defineMes();
    lembraMesExibido();
    escolhePelaRegra();
}

bool Calendario::mesAnterior()
{
    if (mesExibido_ != 1) {
        --mesExibido_;
    } else if (anoExibido_ <= kPrimeiroAno) {
        return false;
    } else {
        mesExibido_ = 12;
        --anoExibido_;
    }
    defineMes();
    lembraMesExibido();
    escolhePelaRegra();
    return true;
}

bool Calendario::proximoMes()
{
    if (mesExibido_ != 12) {
        ++mesExibido_;
    } else if (anoExibido_ >= kUltimoAno) {
        return false;
    } else {
        mesExibido_ = 1;
        ++anoExibido_;
    }
    defineMes();
    lembraMesExibido();
    escolhePelaRegra();
    return true;
}

void Calendario::abre(const QString& vencimento)
{
    vencimento_ = vencimento;
    escolhePelaRegra();
}

void Calendario::escolhePelaRegra()
{
    // dd/mm/yy names a year only by its last two digits: any century's will do.
    const QStringList partes = vencimento_.split(u'/');
    if (partes.size() == 3 && partes[0].size() == 2 && partes[1].toInt() == mesExibido_ &&
        partes[2].size() == 2 && partes[2].toInt() == anoExibido_ % 100) {
        const int dia = partes[0].toInt();
        if (dia >= 1 && dia <= diasNoMes_) {
            diaEscolhido_ = dia;
            return;
        }
    }
    const QDate hoje = clock_.now().date();
    diaEscolhido_ = hoje.month() == mesExibido_ && hoje.year() == anoExibido_ ? hoje.day() : 1;
}

bool Calendario::moveEscolha(int dias)
{
    return vaiPara(QDate(anoExibido_, mesExibido_, diaEscolhido_).addDays(dias));
}

bool Calendario::mudaMes(int passo)
{
    const QDate primeiro = QDate(anoExibido_, mesExibido_, 1).addMonths(passo);
    return vaiPara(primeiro.addDays(std::min(diaEscolhido_, primeiro.daysInMonth()) - 1));
}

bool Calendario::vaiPara(const QDate& dia)
{
    if (dia.year() < kPrimeiroAno || dia.year() > kUltimoAno)
        return false;
    if (dia.month() != mesExibido_ || dia.year() != anoExibido_) {
        mesExibido_ = dia.month();
        anoExibido_ = dia.year();
        defineMes();
        lembraMesExibido();
    }
    diaEscolhido_ = dia.day();
    return true;
}

void Calendario::defineMes()
{
    diasNoMes_ = QDate(anoExibido_, mesExibido_, 1).daysInMonth();
    calculaPrimeiroDia();
}

void Calendario::calculaPrimeiroDia()
{
    // Qt counts from Monday = 1 to Sunday = 7; the grid from Sunday = 1.
    primeiroDiaSemana_ = QDate(anoExibido_, mesExibido_, 1).dayOfWeek() % 7 + 1;
    desenhaMes();
}

void Calendario::desenhaMes()
{
    titulo_ = nomeDoMes(mesExibido_) + QStringLiteral("  ") + QString::number(anoExibido_);
    const QDate hoje = clock_.now().date();
    diaHoje_ = hoje.day();
    mesHoje_ = hoje.month();
    anoHoje_ = hoje.year();
    // Back colours stay as they were: only opacity shows them.
    for (Casa& casa : casas_) {
        casa.texto = kVazia;
        casa.opaca = false;
    }
    for (int d = 1; d <= diasNoMes_; ++d) {
        Casa& casa = casas_[std::size_t(primeiroDiaSemana_ - 2 + d)];
        casa.texto = kVazia + QString::number(d);
        if (d == diaHoje_ && mesExibido_ == mesHoje_ && anoExibido_ == anoHoje_) {
            casa.opaca = true;
            casa.fundo = kCorHoje;
        }
    }
}

void Calendario::lembraMesExibido()
{
    mesHoje_ = mesExibido_;
    anoHoje_ = anoExibido_;
}

void Calendario::casaMouseDown(int i)
{
    Casa& casa = casas_.at(std::size_t(i));
    cor1Cal2_ = casa.fundo;
    if (casa.texto != kVazia) {
        casa.opaca = true;
        casa.fundo = kCorBotao;
    }
}

void Calendario::casaMouseUp(int i)
{
    Casa& casa = casas_.at(std::size_t(i));
    if (casa.texto == kVazia) {
        casa.opaca = false;
        return;
    }
    // Only the day number is compared, so today's number in another month
    // stays opaque in its earlier colour until the month is drawn again.
    if (numeroDaCasa(casa) != diaHoje_)
        casa.opaca = false;
    casa.fundo = cor1Cal2_;
}

QString Calendario::nomeDaCasa(int i) const
{
    const Casa& casa = casas_.at(std::size_t(i));
    if (casa.texto == kVazia)
        return {};
    return DateWords::date(QDate(anoHoje_, mesHoje_, numeroDaCasa(casa)));
}

std::optional<QString> Calendario::escreveTexto(int i) const
{
    const Casa& casa = casas_.at(std::size_t(i));
    if (casa.texto == kVazia)
        return std::nullopt;
    const QString m = QString::number(mesHoje_).rightJustified(2, u'0');
    const QString y = QString::number(anoHoje_).right(2);
    const QString d = QString::number(numeroDaCasa(casa)).rightJustified(2, u'0');
    return d + u'/' + m + u'/' + y;
}
