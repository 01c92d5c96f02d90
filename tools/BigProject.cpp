#include "BigProject.h"

#include "catalogue/RvxScrambler.h"
#include "text/FilePaths.h"
#include "text/TextFile.h"

#include <QDir>

using namespace Qt::Literals::StringLiterals;

namespace BigProject {

namespace {

int deviceCount(int objects)
{
    return objects * 5 / 2 / VariablesPerDevice;
}

// An object that is no device, picked by n so that the pages spread over the whole program.
int plainObject(int n, int objects)
{
    const int devices = deviceCount(objects);
    return devices + n % (objects - devices);
}

// Layout lines of a page as the editor writes them, varied a little from page to page.
QStringList layoutLines(int page)
{
    QStringList lines{u"BW=0"_s,      u"BG=F4F1EA"_s, u"BGPIC="_s,        u"#003000"_s,        u"FNHEAD=Arial"_s,
                      u"FSHEAD=16"_s, u"FSTHEAD=1"_s, u"FCHEAD=FFFFFF"_s, u"FCBHEAD=2F5D8A"_s, u"FNOBJ=Arial"_s,
                      u"FSOBJ=10"_s,  u"FSTOBJ=0"_s,  u"FCOBJ=000000"_s,  u"FCBOBJ=FFFFFF"_s,  u"FNVAL=Arial"_s,
                      u"FSVAL=10"_s,  u"FSTVAL=1"_s,  u"FCVAL=2F5D8A"_s,  u"FCBVAL=FFFFFF"_s,  u"FNNAV=Arial"_s,
                      u"FSNAV=10"_s,  u"FSTNAV=4"_s,  u"FCNAV=2F5D8A"_s,  u"FCBNAV=F4F1EA"_s};
    lines << u"OBWIDTH=%1"_s.arg(100 + page % 50) << u"OWWIDTH=120"_s << u"OPWIDTH=10"_s << u"LMHL=0"_s << u"LMOBJ=0"_s
          << u"LMMAC=0"_s << u"PW=0"_s << u"RHM=30"_s << u"FW=1"_s << u"CELLD=2"_s << u"TXD=4"_s << u"INPW=60"_s
          << u"PICSTR=0"_s;
    return lines;
}

} // namespace

QString objectName(int o)
{
    static const QString Rooms[] = {u"Wohnzimmer"_s, u"Küche"_s, u"Bad"_s,   u"Flur"_s,
                                    u"Büro"_s,       u"Gäste"_s, u"Garten"_s};
    const QString &room = Rooms[o % 7];
    return o % 3 == 0 ? u"Licht_%1_%2"_s.arg(room).arg(o) : u"temp_%1_%2"_s.arg(room).arg(o);
}

QStringList programLines(int objects)
{
    const int variables = objects * 5 / 2;
    const int devices = deviceCount(objects);
    QStringList lines{execFileHeader(27, u"Benchmark"_s)};
    lines << u"@TYPES"_s << u"Modus;0:Aus;1:Komfort;2:Eco;3:Frostschutz;MAX=004"_s;
    for (int v = 0; v < variables; ++v) {
        lines << u"@VAR=%1"_s.arg(v) << u"NA=Gerät%1.Wert%2"_s.arg(v / VariablesPerDevice).arg(v % VariablesPerDevice)
              << u"VS=3"_s << u"VT=%1"_s.arg(2 + v % 4) << u"YI=0"_s << u"OI=%1"_s.arg(v / VariablesPerDevice)
              << u"VO=%1"_s.arg(v);
    }
    for (int o = 0; o < objects; ++o) {
        lines << u"@OBJECT=%1"_s.arg(o);
        if (o < devices) {
            QStringList positions;
            for (int k = 0; k < VariablesPerDevice; ++k)
                positions << QString::number(o * VariablesPerDevice + k);
            lines << u"NA=Gerät%1"_s.arg(o) << u"OK=G"_s << u"DC=55"_s << u"SV="_s + positions.join(u';');
        } else if (o % 3 == 0) {
            lines << u"NA="_s + objectName(o) << u"OD=Licht"_s << u"OK=U"_s << u"IV=%1"_s.arg(o) << u"HT=1"_s
                  << u"DC=1"_s << u"TI=Licht;0Z:Aus;1Z:Ein"_s;
        } else {
            lines << u"NA="_s + objectName(o) << u"OD=Temperatur"_s << u"OK=N"_s << u"IV=%1"_s.arg(o) << u"OF=1"_s
                  << u"MI=-20"_s << u"MA=40"_s << u"HT=2"_s << u"DC=3"_s;
        }
        lines << u"@ENDOBJ"_s;
    }
    return lines;
}

QString pageName(int page)
{
    return u"Seite%1"_s.arg(page);
}

QStringList pageLines(int page, int pages, int objects)
{
    QStringList lines{u"@V=HTM100"_s, u"#001000="_s + pageName(page), u"FILEVERS=140"_s};
    lines << layoutLines(page);
    lines << u"#005000"_s << u"PAGEPOS=0x;1x;2x;3x;4;5;"_s << u"#006000"_s << u"OBJCOLS=0x;1x;2x;"_s << u"#007000"_s
          << u"AutoAkt=0"_s << u"AutoAktSec=10"_s << u"#008000"_s << u"SHEAD=Seite %1 f&uuml;r G&auml;ste"_s.arg(page);
    QString navi;
    for (int l = 0; l < LinksPerPage; ++l) {
        const QString target = pageName((page + l + 1) % pages);
        navi += target + QChar(3) + target + QChar(11);
    }
    const QString naviLines = u"NAVI="_s + navi;
    lines << u"#009000=%1"_s.arg(LinksPerPage) << naviLines << u"#010000"_s;
    for (int r = 0; r < RowsPerPage; ++r) {
        const int o = plainObject((page * RowsPerPage + r) * 7, objects);
        const QString entry = o % 3 == 0 ? u"O@%1@U@1@Licht&Aus&Ein"_s.arg(o) : u"O@%1@N@3@1@-20,0@40,0"_s.arg(o);
        lines << u"OBJROW=%1@Bezeichnung %2@%3@%4"_s.arg(objectName(o)).arg(r).arg(r % 2).arg(entry);
    }
    lines << u"#011000"_s;
    for (int m = 0; m < MacrosPerPage; ++m) {
        const int o = plainObject(page * MacrosPerPage + m + 1, objects);
        lines << u"MACRO=%1@Makro %2@%3"_s.arg(objectName(o)).arg(m).arg(o);
    }
    lines << u"#009001=%1"_s.arg(LinksPerPage) << naviLines << u"#099000"_s;
    return lines;
}

bool writeProgram(const QString &path, int objects, QString *error)
{
    QStringList scrambled;
    if (!scrambleExecFile(programLines(objects), scrambled, error))
        return false;
    if (writeTextFile(path, scrambled) != WriteStatus::Ok) {
        if (error)
            *error = u"cannot write "_s + path;
        return false;
    }
    return true;
}

bool writeProject(const QString &folder, int objects, int pages, QString *error)
{
    auto write = [error](const QString &path, const QStringList &lines) {
        if (writeTextFile(path, lines) == WriteStatus::Ok)
            return true;
        if (error)
            *error = u"cannot write "_s + path;
        return false;
    };
    if (!QDir().mkpath(folder)) {
        if (error)
            *error = u"cannot create "_s + folder;
        return false;
    }
    const QString program = projectFilePath(folder, ProjectName + u".RVX"_s);
    if (!writeProgram(program, objects, error))
        return false;

    QStringList project{u"FILEVERS=140"_s, u"AUTHMSG=Bitte anmelden"_s, u"STARTPAGE="_s + pageName(0),
                        u"FREEIPS=(192.168.0.10);"_s};
    for (int p = 0; p < pages; ++p)
        project << u"*Site="_s + pageName(p);
    project << u"DIRDAT="_s + folder << u"BW=0"_s << u"RVXFile="_s + program;
    if (!write(ProjectFiles::projectFile(folder, ProjectName), project))
        return false;

    const QStringList users{u"anna;geheim1;"_s + pageName(0), u"ben;geheim2;"_s + pageName(pages / 2), u"gast;gast;"_s};
    if (!write(ProjectFiles::userListFile(folder, ProjectName), users))
        return false;
    for (int p = 0; p < pages; ++p) {
        if (!write(ProjectFiles::pageFile(folder, ProjectName, pageName(p)), pageLines(p, pages, objects)))
            return false;
    }
    return true;
}

} // namespace BigProject
