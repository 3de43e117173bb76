#include "StoreStatusText.h"

#include "ReminderStore.h"

QString storeStatusText(StoreStatus status)
{
    switch (status) {
    case StoreStatus::Ok:
    case StoreStatus::CopyUnreadable:
        return {};
    case StoreStatus::WriteFailed:
        return QStringLiteral("Erro ao salvar o arquivo!");
    case StoreStatus::ReadFailed:
        return QStringLiteral("Erro ao ler o arquivo!");
    case StoreStatus::Full:
        return QStringLiteral("Limite de lembretes atingido!");
    case StoreStatus::BadField:
        return QStringLiteral("Caractere inválido no texto!");
    case StoreStatus::NoSuchRow:
        return QStringLiteral("Selecione um ítem primeiro!");
    }
    return {};
}
