#include "data/datatexts.h"

namespace host {

QString DataMsg(DataText key) {
    switch (key) {
    case DataText::FieldRefused:
        return QStringLiteral("Campo %1: %2");
    case DataText::NotText:
        return QStringLiteral("o valor não é um texto");
    case DataText::TextTooLong:
        return QStringLiteral("o texto de %1 caracteres excede o tamanho %2");
    case DataText::NotNumber:
        return QStringLiteral("\"%1\" não é um número");
    case DataText::NotFinite:
        return QStringLiteral("o número não é finito");
    case DataText::NotDate:
        return QStringLiteral("\"%1\" não é uma data");
    case DataText::ValueNotDate:
        return QStringLiteral("o valor não é uma data");
    case DataText::FieldDetached:
        return QStringLiteral("o campo não faz mais parte do seu conjunto de registros");
    case DataText::FieldRequired:
        return QStringLiteral("O campo %1 precisa ser preenchido");
    case DataText::FieldNotFound:
        return QStringLiteral("campo %1 não encontrado");
    case DataText::FieldNoName:
        return QStringLiteral("um campo está sem nome");
    case DataText::FieldTwice:
        return QStringLiteral("o campo %1 está definido duas vezes");
    case DataText::DefsWhileOpen:
        return QStringLiteral("os campos só podem mudar com o conjunto de registros fechado");
    case DataText::NoFieldsToCreate:
        return QStringLiteral("o conjunto de registros precisa de campos para ser criado");
    case DataText::NotOpen:
        return QStringLiteral("o conjunto de registros não está aberto");
    case DataText::NotEditing:
        return QStringLiteral("o conjunto de registros não está em edição nem em inclusão");
    case DataText::AppendWhileEditing:
        return QStringLiteral("não é possível acrescentar linhas durante a edição");
    case DataText::DeleteFromEmpty:
        return QStringLiteral("não há registro para excluir");
    case DataText::RowOutOfRange:
        return QStringLiteral("número de linha fora do intervalo");
    case DataText::BookmarkGone:
        return QStringLiteral("a linha marcada não existe mais");
    case DataText::AppendWidth:
        return QStringLiteral("linha com %1 valores para %2 campos");
    case DataText::RowWidth:
        return QStringLiteral("a linha %1 tem %2 valores para %3 campos");
    case DataText::LocateWidth:
        return QStringLiteral("Locate: %1 valores para os campos-chave \"%2\"");
    case DataText::BadJson:
        return QStringLiteral("JSON inválido: %1");
    case DataText::NotJsonObject:
        return QStringLiteral("o conjunto de registros precisa ser um objeto JSON");
    case DataText::NoFieldsList:
        return QStringLiteral("o conjunto de registros não tem a lista \"fields\"");
    case DataText::NoRowsList:
        return QStringLiteral("o conjunto de registros não tem a lista \"rows\"");
    case DataText::NoFields:
        return QStringLiteral("o conjunto de registros não tem campos");
    case DataText::FieldNotObject:
        return QStringLiteral("o campo %1 não é um objeto");
    case DataText::FieldUnnamed:
        return QStringLiteral("o campo %1 está sem nome");
    case DataText::FieldNoType:
        return QStringLiteral("o campo %1 está sem tipo");
    case DataText::FieldUnknownType:
        return QStringLiteral("o campo %1 tem o tipo desconhecido \"%2\"");
    case DataText::FieldNoSize:
        return QStringLiteral("o campo %1 não tem um tamanho válido");
    case DataText::RowNotList:
        return QStringLiteral("a linha %1 não é uma lista");
    case DataText::RowTooLong:
        return QStringLiteral("a linha %1 tem mais de %2 valores");
    case DataText::Cell:
        return QStringLiteral("linha %1, campo %2: %3");
    case DataText::TextExpected:
        return QStringLiteral("texto esperado");
    case DataText::NumberExpected:
        return QStringLiteral("número esperado");
    case DataText::DateExpected:
        return QStringLiteral("data esperada no formato AAAA-MM-DDTHH:MM:SS");
    }
    return {};
}

} // namespace host
