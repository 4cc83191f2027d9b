#include "window/status_tips.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QWidget>

namespace v5 {

namespace {

// A name ending in '#' stands for the name followed by a number ("btnSlot#": btnSlot1 .. btnSlot20), one
// ending in '*' for the name followed by anything.
struct Tip {
    const char* name;
    const char16_t* tip;
};

// Where a pane's values go: the panes store what they show when they are left.
#define ON_LEAVE u", записывается при уходе с панели"
#define PORT_TIP u"Работать с УП-5 на этом порту; запоминается в V5ivez.ini"

const Tip kTips[] = {
    // The slot row and its menu.
    {"btnSlot#",
     u"Слот: щелчок открывает модуль, правый щелчок (Shift+F10) ставит или убирает модуль; хранится в "
     u"таблице слотов"},
    {"miShl#", u"Поставить модуль шлейфов в слот (таблица слотов)"},
    {"miRele#", u"Поставить модуль реле в слот (таблица слотов)"},
    {"miUD#", u"Поставить модуль доступа в слот (таблица слотов)"},
    {"miLine#", u"Поставить модуль связи в слот (таблица слотов)"},
    {"N28", u"Убрать модуль из слота; его шлейфы уходят из зон и разделов"},

    // The menu bar.
    {"mmKodDostupa",
     u"Код доступа к настройкам прибора: хранится в конфигурации, записывается при уходе с поля"},
    {"ComSelect", u"Порт, к которому подключен УП-5; запоминается в V5ivez.ini"},
    {"COM_#", PORT_TIP},
    {"port_*", PORT_TIP},
    {"mnEEPROM", u"Файл настроек: диск, прибор, микросхема, сравнение и резервные копии"},
    {"mnLoad", u"Открыть файл настроек с диска (Ctrl+O)"},
    {"mnSave", u"Сохранить конфигурацию в файл на диске (Ctrl+S)"},
    {"ReadFromV5", u"Прочитать конфигурацию из прибора через УП-5"},
    {"WriteToV5", u"Записать конфигурацию в прибор через УП-5, с резервной копией и проверкой"},
    {"mnRead", u"Прочитать микросхему 24c256 в УП-5"},
    {"mnWrite", u"Записать конфигурацию в микросхему 24c256 в УП-5"},
    {"mnCompareFile", u"Показать, чем конфигурация отличается от файла на диске"},
    {"mnCompareDevice", u"Показать, чем конфигурация отличается от прибора"},
    {"mnRestoreBackup", u"Открыть резервную копию, сделанную перед записью в прибор"},
    {"mnSiteData", u"Название, адрес, заказчик, телефон и примечания объекта; хранятся рядом с файлом настроек"},
    {"mnEdit", u"Отмена и повтор изменений"},
    {"mnUndo", u"Отменить последнее изменение (Ctrl+Z)"},
    {"mnRedo", u"Повторить отменённое изменение (Ctrl+Y)"},
    {"mShls", u"Модули шлейфов сигнализации: параметры шлейфов"},
    {"mmiShl#", u"Параметры восьми шлейфов модуля; хранятся в записях шлейфов"},
    {"mRele", u"Модули реле: режим и время работы реле"},
    {"mmiRele#", u"Режимы реле модуля; хранятся в записях реле"},
    {"mUD", u"Модули доступа: индикаторы зон и разделов"},
    {"mmiUD#", u"Индикаторы модуля доступа; хранятся в таблице индикаторов"},
    {"mmiUDV#", u"Индикаторы модуля доступа; хранятся в таблице индикаторов"},
    {"MLine", u"Модули связи: адрес и передаваемые шлейфы"},
    {"mmiLine#", u"Адрес и шлейфы модуля связи; хранятся в записи модуля связи"},
    {"mZO", u"Звуковые оповещатели: длительности и режимы; хранятся в записях оповещателей"},
    {"mExt", u"Внешние модули на шине; хранятся в слове внешних модулей"},
    {"mGR", u"Группы шлейфов: зоны, разделы, связанные зоны"},
    {"mGRZona", u"Зоны: шлейфы каждой зоны; хранятся в таблице групп"},
    {"mGRRazdel", u"Разделы: зоны каждого раздела; хранятся в таблице групп"},
    {"mGRSZona", u"Связанные зоны; хранятся в таблице групп"},
    {"mKey", u"Ключи пользователей: добавить, изменить, переписать из пульта"},
    {"keyAdd", u"Добавить ключ, приложив его к считывателю УП-5"},
    {"N22", u"Список ключей: права, зоны и разделы каждого ключа"},
    {"N16", u"Переписать коды пульта ввода в ключи"},
    {"N1", u"Добавить ключ, введя его код вручную"},
    {"mnKeysImport", u"Загрузить ключи, владельцев и примечания из таблицы CSV; сначала видно, что изменится"},
    {"mArj", u"Записать архив событий прибора в arj.txt и открыть его"},
    {"mJournal", u"Архив событий таблицей: отбор по видам, ключу, шлейфу или зоне, поиск, сохранение в CSV"},
    {"mR", u"Записать отчёт о конфигурации в report.txt и открыть его"},
    {"mnSiteCard", u"Карточка объекта для заказчика и пульта: просмотр, печать, сохранение в PDF"},
    {"mnExit", u"Закрыть программу; о несохранённых изменениях будет вопрос"},

    // The option boxes under every pane.
    {"cbAvtovziatie", u"Автовзятие шлейфов: хранится в байте настроек прибора, записывается сразу"},
    {"cbDisableProg", u"Запрет программирования по шине: хранится в байте настроек, записывается сразу"},
    {"cbDisableAC", u"Питание только от внешнего источника: хранится в байте настроек, записывается сразу"},

    // The panes.
    {"gbMShl", u"Параметры шлейфов модуля: хранятся в записях шлейфов" ON_LEAVE},
    {"tnShl", u"Шлейф модуля: при смене вкладки показанный шлейф записывается"},
    {"gbO1", u"Признаки шлейфа: хранятся в записи шлейфа" ON_LEAVE},
    {"GroupBox1", u"Отметьте шлейфы и нажмите OK: они получат параметры показанного шлейфа"},
    {"Button1", u"Записать параметры показанного шлейфа во все отмеченные шлейфы"},
    {"gbMR", u"Режимы реле модуля: хранятся в записях реле" ON_LEAVE},
    {"tnRele", u"Реле модуля: при смене вкладки показанное реле записывается"},
    {"GroupBox15", u"Шлейфы, по которым срабатывает реле: хранятся в записи реле" ON_LEAVE},
    {"GroupBox24", u"Шлейфы, по которым включается оповещатель: хранятся в записи оповещателя" ON_LEAVE},
    {"GroupBox11", u"Контроль тамперов: хранится в записи реле" ON_LEAVE},
    {"gbUD", u"Индикаторы модуля доступа: хранятся в таблице индикаторов" ON_LEAVE},
    {"tnUD", u"Индикатор модуля: зона или раздел, который он показывает"},
    {"gbLine", u"Модуль связи: адрес и шлейфы хранятся в записи модуля связи" ON_LEAVE},
    {"MaskEdit1", u"Адрес модуля связи: хранится в записи модуля связи" ON_LEAVE},
    {"gbZO", u"Звуковые оповещатели: хранятся в записях оповещателей" ON_LEAVE},
    {"TabbedNotebook4", u"Оповещатель: при смене вкладки показанный записывается"},
    {"gbExt", u"Внешние модули на шине: хранятся в слове внешних модулей, записываются сразу"},
    {"gbZona", u"Зоны: шлейфы зоны хранятся в таблице групп, записываются сразу"},
    {"lbZona", u"Зона, шлейфы которой показаны справа"},
    {"Button2", u"Создать зону: новая запись в таблице групп"},
    {"Button7", u"Удалить выбранную зону из таблицы групп"},
    {"GroupBox43", u"Шлейфы зоны: хранятся в таблице групп, записываются сразу"},
    {"gbRazdel", u"Разделы: зоны раздела хранятся в таблице групп, записываются сразу"},
    {"lbRazdel", u"Раздел, зоны которого показаны справа"},
    {"GroupBox42", u"Зоны раздела: хранятся в таблице групп, записываются сразу"},
    {"gbSS", u"Связанные зоны: хранятся в таблице групп" ON_LEAVE},
    {"GroupBox52", u"Зоны, связанные с выбранной: хранятся в таблице групп" ON_LEAVE},
    {"gbKey", u"Ключи в памяти прибора: хранятся в таблице ключей"},
    {"clbKey", u"Ключи в памяти прибора; двойной щелчок открывает карточку ключа"},
    {"gbSKey", u"Карточка ключа: права, зона или раздел; хранится в записи ключа"},
    {"rgFunction", u"Права пользователя: хранятся в записи ключа"},
    {"LabelZone", u"Зона или раздел ключа: нажмите, чтобы выбрать; хранится в записи ключа"},
    {"LabelTarnia", u"Номер СПИ ключа: нажмите, чтобы выбрать; хранится в записи ключа"},
    {"gbKeyZone", u"Зоны и разделы, которые можно дать ключу"},
    {"rgTarniaNmb", u"Номер СПИ ключа: хранится в записи ключа"},
    {"Ttemp_gbKD", u"Код доступа: хранится в конфигурации, записывается при уходе с поля"},
    {"Ttemp_meKD", u"Четыре цифры кода доступа; записываются при уходе с поля"},
};

#undef ON_LEAVE
#undef PORT_TIP

bool matches(QLatin1StringView pattern, const QString& name) {
    if (pattern.endsWith(QLatin1Char('*'))) return name.startsWith(pattern.chopped(1));
    if (!pattern.endsWith(QLatin1Char('#'))) return name == pattern;
    const QLatin1StringView prefix = pattern.chopped(1);
    if (name.size() <= prefix.size() || !name.startsWith(prefix)) return false;
    for (qsizetype i = prefix.size(); i < name.size(); ++i)
        if (!name.at(i).isDigit()) return false;
    return true;
}

void applyTo(QObject* object) {
    const QString name = object->objectName();
    if (name.isEmpty()) return;
    const QString tip = statusTipFor(name);
    if (tip.isEmpty()) return;
    if (auto* widget = qobject_cast<QWidget*>(object))
        widget->setStatusTip(tip);
    else if (auto* action = qobject_cast<QAction*>(object))
        action->setStatusTip(tip);
}

}  // namespace

QString storedHint(const QString& caption, const QString& record) {
    return QStringLiteral("%1: хранится в %2, записывается при уходе с панели")
        .arg(caption.trimmed(), record);
}

void applyStoredHints(QWidget* panel, const QString& record) {
    for (QWidget* control : panel->findChildren<QWidget*>()) {
        if (!control->statusTip().isEmpty()) continue;
        if (auto* box = qobject_cast<QCheckBox*>(control))
            box->setStatusTip(storedHint(box->text(), record));
        else if (auto* group = qobject_cast<QGroupBox*>(control); group && !group->title().isEmpty())
            group->setStatusTip(storedHint(group->title(), record));
    }
}

QString statusTipFor(const QString& objectName) {
    for (const Tip& tip : kTips)
        if (matches(QLatin1StringView(tip.name), objectName)) return QString::fromUtf16(tip.tip);
    return {};
}

void applyStatusTips(QObject* root) {
    applyTo(root);
    for (QObject* child : root->findChildren<QObject*>())
        applyTo(child);
}

}  // namespace v5
