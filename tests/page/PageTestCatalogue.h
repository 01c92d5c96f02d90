#pragma once

#include "catalogue/Catalogue.h"
#include "page/PageEditSession.h"

#include <QString>

// A small catalogue for page tests: the objects of the example page and one entry of every kind
// the page file distinguishes. Marked complete, as after a successful read.
inline void fillTestCatalogue(Catalogue &c)
{
    auto obj = [&c](const QString &name, qint32 objIdx, QChar source, QChar kind) {
        TPSObj *o = c.AddPSObj(name, objIdx);
        o->Source = source;
        o->ObjKind = kind;
        return o;
    };
    TPSObj *light = obj(QStringLiteral("Licht_Decke"), 1, u'O', u'U');
    light->VarIdx = 12;
    light->DevCode = 3;
    light->TypInfo = QStringLiteral("1;Aus;Ein;");
    light->ObjDescr = QStringLiteral("Deckenlicht");

    obj(QStringLiteral("Alles_Aus"), 7, u'O', u'M');

    TPSObj *temp = obj(QStringLiteral("Temperatur"), 3, u'O', u'N');
    temp->VarIdx = 20;
    temp->DevCode = 4;
    temp->Format = 1;
    temp->minVal = -200;
    temp->maxVal = 1234.5;
    temp->HdwTyp = 2;

    TPSObj *pump = obj(QStringLiteral("Pumpe"), 4, u'O', u'B');
    pump->VarIdx = 30;
    pump->DevCode = 9;

    TPSObj *level = obj(QStringLiteral("Pegel"), -1, u'V', u'N');
    level->VarIdx = 5;
    level->ValCode = 2;
    level->VarKind = 3;

    c.TypeList.push_back({QStringLiteral("Modus"), std::make_unique<TStrObj>()});
    c.TypeList.back().entry->s = QStringLiteral("2&Tag&Nacht&");
    TPSObj *mode = obj(QStringLiteral("Modus_Wahl"), -1, u'V', u'U');
    mode->VarIdx = 6;
    mode->VTypeIdx = 0;

    TPSObj *broken = obj(QStringLiteral("Kaputt"), -1, u'V', u'U');
    broken->VarIdx = 7;
    broken->VTypeIdx = 4; // beyond the type list

    c.setComplete(true);
}

// The example page "Wohnzimmer" of project HAUS with the start layout of a new page, in the
// session's page; rows resolved against its offered entries.
inline void buildExamplePage(PageEditSession &session)
{
    session.FillPagePosLB();
    session.InitAll();
    PageDocument &page = session.document();
    page.clearContent();
    page.name = QStringLiteral("Wohnzimmer");
    page.layout.Headline = QStringLiteral("Wohnzimmer");
    page.links << QStringLiteral("Küche : Küche");
    page.objects.append({QStringLiteral("Licht_Decke"), QStringLiteral("Deckenlicht"), InputState::No, {},
                         session.offered().find(QStringLiteral("Licht_Decke"))});
    page.macros.append({QStringLiteral("Alles_Aus"), QStringLiteral("Alles aus"), InputState::None, {},
                        session.offered().find(QStringLiteral("Alles_Aus"))});
}
