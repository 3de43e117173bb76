#include "StoreStatusText.h"
#include "ReminderStore.h"

#include <gtest/gtest.h>

// Every outcome of a store operation, and what the windows say of it.
TEST(StoreStatusText, saysEachOutcomeInPortuguese)
{
    const struct {
        StoreStatus status;
        const char* text;
    } kCases[] = {
        {StoreStatus::Ok, ""},
        {StoreStatus::WriteFailed, "Erro ao salvar o arquivo!"},
        {StoreStatus::ReadFailed, "Erro ao ler o arquivo!"},
        {StoreStatus::Full, "Limite de lembretes atingido!"},
        {StoreStatus::NoSuchRow, "Selecione um ítem primeiro!"},
        {StoreStatus::BadField, "Caractere inválido no texto!"},
        // Left where it is, without a word: the next start tries it again.
        {StoreStatus::CopyUnreadable, ""},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(int(c.status));
        EXPECT_EQ(storeStatusText(c.status), QString::fromUtf8(c.text));
    }
}
