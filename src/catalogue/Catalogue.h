#pragma once

#include "catalogue/CatalogueRecords.h"

#include <QList>
#include <QObject>
#include <QString>

#include <memory>
#include <vector>

// The object catalogue: the three ordered lists ObjList, VarList and TypeList of (text, entry)
// pairs. The lists own their entries; an entry keeps its address until ClearCatalogue. Whoever
// keeps pointers to entries (offered entries, page rows) listens to aboutToClear and drops them.
class Catalogue : public QObject
{
    Q_OBJECT

public:
    template <typename T> struct Entry
    {
        QString text;
        std::unique_ptr<T> entry;
    };

    std::vector<Entry<TPSObj>> ObjList;
    std::vector<Entry<TVar>> VarList;
    std::vector<Entry<TStrObj>> TypeList;

    explicit Catalogue(QObject *parent = nullptr);
    ~Catalogue() override;

    // Appends a new object named name with ObjIdx index; returns its handle (Source is left to
    // the caller).
    TPSObj *AddPSObj(const QString &name, qint32 index);

    // Appends a "V" object for the variable at position of VarList and returns it; nullptr (and
    // nothing appended) when position lies outside VarList.
    TPSObj *AddVarObj(qint32 position);

    // VarList positions of the variables that belong to obj (DevCode 55 and 10010 to 10020).
    QList<qint32> ObjVarPositions(const TPSObj &obj) const;

    // Tells every referrer (aboutToClear), then frees VarList, TypeList and ObjList entries in
    // list order and empties the lists. The catalogue then counts as incomplete.
    void ClearCatalogue();

    // Whether the last execution file read completed (set by a successful read only).
    bool isComplete() const { return m_complete; }
    void setComplete(bool complete) { m_complete = complete; }

    // The execution file of the last read (empty: none was named) and, when that read failed, the
    // message it showed.
    const QString &lastReadFile() const { return m_lastReadFile; }
    const QString &lastReadFailure() const { return m_lastReadFailure; }
    void setLastRead(const QString &file, const QString &failure);

    // Why the catalogue offers no object: the notice's explanation for the user, naming the file and
    // what went wrong with it. Empty while ObjList holds an object.
    QString emptyReason() const;

    // Goes up with every ClearCatalogue; lets referrers check that their pointers are current.
    quint64 generation() const { return m_generation; }

signals:
    // Emitted before any entry is freed.
    void aboutToClear();

private:
    bool m_complete = false;
    quint64 m_generation = 0;
    QString m_lastReadFile;
    QString m_lastReadFailure;
};
