<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ru_RU">
<context>
    <name>AtomicFile</name>
    <message>
        <source>не удалось записать %1</source>
        <translation>could not write %1</translation>
    </message>
    <message>
        <source>не удалось заменить %1</source>
        <translation>could not replace %1</translation>
    </message>
    <message>
        <source>файл %1 не является обычным файлом</source>
        <translation>the file %1 is not a regular file</translation>
    </message>
    <message>
        <source>файл %1 принадлежит другому пользователю</source>
        <translation>the file %1 belongs to another user</translation>
    </message>
    <message>
        <source>файл %1 доступен только для чтения</source>
        <translation>the file %1 is read-only</translation>
    </message>
    <message>
        <source>не удалось сохранить владельца файла %1</source>
        <translation>could not keep the owner of the file %1</translation>
    </message>
    <message>
        <source>не удалось установить права файла %1</source>
        <translation>could not set the permissions of the file %1</translation>
    </message>
    <message>
        <source>не удалось сбросить на диск %1</source>
        <translation>could not flush %1 to the disk</translation>
    </message>
    <message>
        <source>Недостаточно места на диске</source>
        <translation>Not enough space on the disk</translation>
    </message>
    <message>
        <source>Превышена дисковая квота</source>
        <translation>Disk quota exceeded</translation>
    </message>
    <message>
        <source>Файл слишком велик</source>
        <translation>The file is too large</translation>
    </message>
    <message>
        <source>Нет прав доступа</source>
        <translation>Permission denied</translation>
    </message>
    <message>
        <source>Диск доступен только для чтения</source>
        <translation>The disk is read-only</translation>
    </message>
    <message>
        <source>Папка не существует</source>
        <translation>The folder does not exist</translation>
    </message>
    <message>
        <source>Путь к папке проходит через файл</source>
        <translation>The folder&apos;s path passes through a file</translation>
    </message>
    <message>
        <source>На месте файла находится папка</source>
        <translation>A folder stands in the file&apos;s place</translation>
    </message>
    <message>
        <source>Слишком длинное имя файла</source>
        <translation>The file name is too long</translation>
    </message>
    <message>
        <source>Символические ссылки образуют круг</source>
        <translation>The symbolic links form a loop</translation>
    </message>
    <message>
        <source>Ошибка ввода-вывода</source>
        <translation>Input/output error</translation>
    </message>
    <message>
        <source>Папка только для чтения</source>
        <translation>The folder is read-only</translation>
    </message>
    <message>
        <source>папка %1 не создана</source>
        <translation>the folder %1 could not be made</translation>
    </message>
    <message>
        <source>папка %1 недоступна</source>
        <translation>the folder %1 cannot be used</translation>
    </message>
    <message>
        <source>папка %1 недоступна для записи</source>
        <translation>the folder %1 cannot be written to</translation>
    </message>
    <message>
        <source>нет имени файла</source>
        <translation>no file name</translation>
    </message>
    <message>
        <source>не удалось найти файл ссылки %1</source>
        <translation>could not find the file the link %1 points to</translation>
    </message>
    <message>
        <source>файл %1 записан, но папку не удалось сбросить на диск</source>
        <translation>the file %1 was written, but its folder could not be flushed to the disk</translation>
    </message>
    <message>
        <source>не удалось прочитать %1</source>
        <translation>could not read %1</translation>
    </message>
    <message>
        <source>на месте файла %1 находится папка</source>
        <translation>a folder stands in the place of the file %1</translation>
    </message>
    <message>
        <source>файл %1 больше %2 МБ и не читается</source>
        <translation>the file %1 is larger than %2 MB and is not read</translation>
    </message>
</context>
<context>
    <name>ExportHelpers</name>
    <message>
        <source>PDF не составлен</source>
        <translation>The PDF could not be made</translation>
    </message>
    <message>
        <source>Файл не записан: %1
%2</source>
        <translation>File not written: %1
%2</translation>
    </message>
    <message>
        <source>PNG не составлен</source>
        <translation>PNG not made</translation>
    </message>
    <message>
        <source>Сохранить изображение…</source>
        <translation>Save image…</translation>
    </message>
    <message>
        <source>Сохранить изображение</source>
        <translation>Save image</translation>
    </message>
    <message>
        <source>Изображение PNG (*.png)</source>
        <translation>PNG image (*.png)</translation>
    </message>
    <message>
        <source>Векторный рисунок SVG (*.svg)</source>
        <translation>SVG vector picture (*.svg)</translation>
    </message>
    <message>
        <source>Сохранить точки (CSV)…</source>
        <translation>Save points (CSV)…</translation>
    </message>
    <message>
        <source>Сохранить точки графика</source>
        <translation>Save the chart&apos;s points</translation>
    </message>
    <message>
        <source>Таблица CSV (*.csv)</source>
        <translation>CSV table (*.csv)</translation>
    </message>
    <message>
        <source>Печать…</source>
        <translation>Print…</translation>
    </message>
    <message>
        <source>Печать не удалась</source>
        <translation>Printing failed</translation>
    </message>
    <message>
        <source>Копировать</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>Копировать как LaTeX</source>
        <translation>Copy as LaTeX</translation>
    </message>
</context>
<context>
    <name>FileLock</name>
    <message>
        <source>не удалось открыть папку %1</source>
        <translation>could not open the folder %1</translation>
    </message>
    <message>
        <source>папка %1 занята другой копией программы</source>
        <translation>the folder %1 is kept busy by another copy of the program</translation>
    </message>
</context>
<context>
    <name>FormulaStore</name>
    <message>
        <source>описание «!» скрыло бы формулу</source>
        <translation>the description «!» would hide the formula</translation>
    </message>
    <message>
        <source>в файле формул нет свободного раздела</source>
        <translation>the formula file has no free section</translation>
    </message>
    <message>
        <source>файл формул изменён другой программой</source>
        <translation>the formula file was changed by another program</translation>
    </message>
</context>
<context>
    <name>PolDialogs</name>
    <message>
        <source>Полином не введён!</source>
        <translation>No polynomial entered!</translation>
    </message>
    <message>
        <source>Полином с таким названием уже существует! [Pol№%1]</source>
        <translation>A polynomial with this name already exists! [Pol#%1]</translation>
    </message>
    <message>
        <source>Не введено выражение полинома!</source>
        <translation>No polynomial expression entered!</translation>
    </message>
    <message>
        <source>Не введено название полинома!</source>
        <translation>No polynomial name entered!</translation>
    </message>
    <message>
        <source>Данные полинома введены правильно.</source>
        <translation>The polynomial&apos;s data are entered correctly.</translation>
    </message>
    <message>
        <source>Коэффициент полинома выходит за область допустимых значений!</source>
        <translation>A coefficient of the polynomial is out of range!</translation>
    </message>
    <message>
        <source>Таблица заполнена! Полином не добавлен.</source>
        <translation>The table is full! The polynomial is not added.</translation>
    </message>
    <message>
        <source>Полином не найден в таблице!</source>
        <translation>The polynomial is not in the table!</translation>
    </message>
</context>
<context>
    <name>TApplication</name>
    <message>
        <source>Неизвестная ошибка</source>
        <translation>Unknown error</translation>
    </message>
</context>
<context>
    <name>TCalcProgressDialog</name>
    <message>
        <source>Вычисление…</source>
        <translation>Calculating…</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Прервать вычисление</source>
        <translation>Stop the calculation</translation>
    </message>
    <message>
        <source>%1 из %2 произведений</source>
        <translation>%1 of %2 products</translation>
    </message>
</context>
<context>
    <name>TEfficiencyPage</name>
    <message>
        <source>Процент — среднее двух долей: лучшего времени от времени таблицы и наименьшего числа операций от числа её операций. 100 % — таблица, лучшая в этом тесте и по времени, и по операциям.</source>
        <translation>The percentage is the mean of two shares: the best time over the table&apos;s time and the fewest operations over the table&apos;s operations. 100 % is a table that was best in this test both in time and in operations.</translation>
    </message>
    <message>
        <source>Номер операции</source>
        <translation>Operation number</translation>
    </message>
    <message>
        <source>Число операций, всего</source>
        <translation>Operations, running total</translation>
    </message>
    <message>
        <source>Время одной операции, мс</source>
        <translation>Time of one operation, ms</translation>
    </message>
    <message>
        <source>Операция:</source>
        <translation>Operation:</translation>
    </message>
    <message>
        <source>Поиск;</source>
        <translation>Search;</translation>
    </message>
    <message>
        <source>Вставка;</source>
        <translation>Insert;</translation>
    </message>
    <message>
        <source>Удаление;</source>
        <translation>Delete;</translation>
    </message>
    <message>
        <source>Тест</source>
        <translation>Test</translation>
    </message>
    <message>
        <source>Запуск процесса сравнения эффективности таблиц</source>
        <translation>Starts the comparison of the tables&apos; efficiency</translation>
    </message>
    <message>
        <source>Рост затрат</source>
        <translation>Cost growth</translation>
    </message>
    <message>
        <source>Затраты на операцию в зависимости от объёма таблиц (250 .. 4999 записей)</source>
        <translation>Cost of an operation against the size of the tables (250 .. 4999 records)</translation>
    </message>
    <message>
        <source>Обобщённая эффективн-ть</source>
        <translation>Overall efficiency</translation>
    </message>
    <message>
        <source>Эфф-ть по операциям</source>
        <translation>Efficiency by operations</translation>
    </message>
    <message>
        <source>Эффективности таблиц по кол-ву выполненных операций</source>
        <translation>Efficiency of the tables by the number of operations done</translation>
    </message>
    <message>
        <source>Эфф-ть по времени</source>
        <translation>Efficiency by time</translation>
    </message>
    <message>
        <source>Эффективности таблиц по времени выполнения операций</source>
        <translation>Efficiency of the tables by the time of the operations</translation>
    </message>
    <message>
        <source>К-во полей таб. с хэш.: </source>
        <translation>Hash table fields: </translation>
    </message>
    <message>
        <source>Изменение кол-ва полей в таблице с хэшированием (в % от объёма информации)</source>
        <translation>Changes the number of fields of the hash table (in % of the amount of data)</translation>
    </message>
</context>
<context>
    <name>TExactCoefficients</name>
    <message>
        <source>Точные коэффициенты</source>
        <translation>Exact coefficients</translation>
    </message>
</context>
<context>
    <name>TFPolTrans</name>
    <message>
        <source>Выражение не введено ! [0]</source>
        <translation>No expression entered! [0]</translation>
    </message>
    <message>
        <source>Нет доступа к таблице полиномов !</source>
        <translation>No access to the polynomial table!</translation>
    </message>
    <message>
        <source>Выражение введено правильно.</source>
        <translation>The expression is entered correctly.</translation>
    </message>
    <message>
        <source>Выражение содержит недопустимые символы ! [%1]</source>
        <translation>The expression contains characters that are not allowed! [%1]</translation>
    </message>
    <message>
        <source>Неправильно расставлены скобки ! [%1]</source>
        <translation>The brackets are not placed correctly! [%1]</translation>
    </message>
    <message>
        <source>Ошибки в расстановке арифметических операций ! [%1]</source>
        <translation>Arithmetic operations are misplaced! [%1]</translation>
    </message>
    <message>
        <source>Ошибка в использовании операции возведения в степень ! [%1]</source>
        <translation>The power operation is misused! [%1]</translation>
    </message>
    <message>
        <source>Ошибки в расстановке операций дифференцирования ! [%1]</source>
        <translation>Differentiation operations are misplaced! [%1]</translation>
    </message>
    <message>
        <source>Ошибки в расстановке операций интегрирования ! [%1]</source>
        <translation>Integration operations are misplaced! [%1]</translation>
    </message>
    <message>
        <source>Лексема должна начинаться с символа ! [%1]</source>
        <translation>A lexeme must begin with a letter! [%1]</translation>
    </message>
    <message>
        <source>Полином с именем &apos;%1&apos; в таблице не найден ! [%2]</source>
        <translation>No polynomial named &apos;%1&apos; in the table! [%2]</translation>
    </message>
    <message>
        <source>Выражение ошибочно разобрано на лексемы ! [?]</source>
        <translation>The expression was split into lexemes wrongly! [?]</translation>
    </message>
    <message>
        <source>Ошибки в записи выражения ! [?]</source>
        <translation>The expression is written wrongly! [?]</translation>
    </message>
    <message>
        <source>Параметры вычисляемого полинома выходят за область допустимых значений !</source>
        <translation>The parameters of the calculated polynomial are out of range!</translation>
    </message>
    <message>
        <source>Параметры вычисляемого полинома выходят за область допустимых значений ! Результат слишком велик.</source>
        <translation>The parameters of the calculated polynomial are out of range! The result is too large.</translation>
    </message>
    <message>
        <source>Вычисление прервано пользователем</source>
        <translation>The calculation was stopped by the user</translation>
    </message>
</context>
<context>
    <name>TForm1</name>
    <message>
        <source>Таблица полиномов изменена, но не сохранена. Сохранить изменения в файле?</source>
        <translation>The polynomial table has changed but is not saved. Save the changes to the file?</translation>
    </message>
    <message>
        <source>Сохранить</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Не сохранять</source>
        <translation>Don&apos;t save</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>%1
Программа не закрыта.</source>
        <translation>%1
The program has not been closed.</translation>
    </message>
    <message>
        <source>TERMIX: Работа с полиномами от нескольких переменных</source>
        <translation>TERMIX: Working with polynomials in several variables</translation>
    </message>
    <message>
        <source>Вкл./Выкл. окно таблиц полиномов</source>
        <translation>Show/hide the polynomial table window</translation>
    </message>
    <message>
        <source>Добавить в таблицу новый полином</source>
        <translation>Add a new polynomial to the table</translation>
    </message>
    <message>
        <source>Удалить полином из таблицы</source>
        <translation>Delete a polynomial from the table</translation>
    </message>
    <message>
        <source>Изменить/Скопировать полином  в таблице</source>
        <translation>Change/copy a polynomial in the table</translation>
    </message>
    <message>
        <source>Вкл./Выкл. Сохранение таблицы</source>
        <translation>Table saving on/off</translation>
    </message>
    <message>
        <source>Вкл./Выкл. окно вычислений полиномов</source>
        <translation>Show/hide the polynomial calculation window</translation>
    </message>
    <message>
        <source>Вычисление значения введённого выражения</source>
        <translation>Calculate the typed expression</translation>
    </message>
    <message>
        <source>Загрузка сохранённого выражения</source>
        <translation>Load a saved expression</translation>
    </message>
    <message>
        <source>Запись введённого выражения</source>
        <translation>Save the typed expression</translation>
    </message>
    <message>
        <source>Вкл./Выкл. окно демонстрации полиномов</source>
        <translation>Show/hide the polynomial overview window</translation>
    </message>
    <message>
        <source>Страница выбора и просмотра формулы полинома </source>
        <translation>Page for choosing a polynomial and viewing its formula</translation>
    </message>
    <message>
        <source>Страница просмотра изображения структуры полинома</source>
        <translation>Page with the picture of the polynomial&apos;s structure</translation>
    </message>
    <message>
        <source>Страница просмотра поверхности полинома</source>
        <translation>Page with the polynomial&apos;s surface</translation>
    </message>
    <message>
        <source>Страница просмотра эффективности таблиц</source>
        <translation>Page with the tables&apos; efficiency</translation>
    </message>
    <message>
        <source>Система помощи по программе</source>
        <translation>Help on the program</translation>
    </message>
    <message>
        <source>О программе</source>
        <translation>About the program</translation>
    </message>
    <message>
        <source>Быстрая клавиша: %1 (в окне таблицы полиномов)</source>
        <translation>Shortcut: %1 (in the polynomial table window)</translation>
    </message>
    <message>
        <source>Быстрая клавиша: %1</source>
        <translation>Shortcut: %1</translation>
    </message>
    <message>
        <source>Страница пошаговой работы таблиц</source>
        <translation>Page of the tables&apos; step-by-step work</translation>
    </message>
    <message>
        <source>Страница пошаговой работы списка</source>
        <translation>Page of the list&apos;s step-by-step work</translation>
    </message>
    <message>
        <source>Страница пошаговой работы транслятора</source>
        <translation>Page of the translator&apos;s step-by-step work</translation>
    </message>
</context>
<context>
    <name>TForm10</name>
    <message>
        <source>О программе</source>
        <translation>About the program</translation>
    </message>
    <message>
        <source>Эмблема TERMIX</source>
        <translation>TERMIX emblem</translation>
    </message>
    <message>
        <source>Анимированная эмблема TERMIX</source>
        <translation>Animated TERMIX emblem</translation>
    </message>
    <message>
        <source>Работа с полиномами от нескольких переменных</source>
        <translation>Working with polynomials in several variables</translation>
    </message>
    <message>
        <source>• ввод, хранение и обработка полиномов от x, y, z;&lt;br&gt;• три вида таблиц: просмотровая, упорядоченная, хеш;&lt;br&gt;• аналитическое вычисление выражений;&lt;br&gt;• демонстрация структуры полинома;&lt;br&gt;• поверхность полинома как неявной функции;&lt;br&gt;• тестирование эффективности таблиц.</source>
        <translation>• entering, storing and processing polynomials in x, y, z;&lt;br&gt;• three kinds of table: scan, sorted, hash;&lt;br&gt;• analytic evaluation of expressions;&lt;br&gt;• demonstration of a polynomial&apos;s structure;&lt;br&gt;• a polynomial&apos;s surface as an implicit function;&lt;br&gt;• testing the efficiency of the tables.</translation>
    </message>
    <message>
        <source>Версия 1.0 · учебная программа</source>
        <translation>Version 1.0 · teaching program</translation>
    </message>
</context>
<context>
    <name>TForm11</name>
    <message>
        <source>Заставка TERMIX</source>
        <translation>TERMIX splash</translation>
    </message>
</context>
<context>
    <name>TForm2</name>
    <message>
        <source>Способ организации таблицы</source>
        <translation>Table organisation</translation>
    </message>
    <message>
        <source>Кол-во полей хеш-табл.:</source>
        <translation>Hash table buckets:</translation>
    </message>
    <message>
        <source>Изменяет кол-во полей таблицы с хэшированием</source>
        <translation>Changes the number of buckets of the hash table</translation>
    </message>
    <message>
        <source>Папка данных открыта другой запущенной копией программы: её полиномы при сохранении не стираются.</source>
        <translation>The data folder is open in another running copy of the program: its polynomials are not erased when saving.</translation>
    </message>
    <message>
        <source>Таблица не загружена: файл таблицы не читается!
%1</source>
        <translation>The table was not loaded: the table file cannot be read!
%1</translation>
    </message>
    <message>
        <source>Таблицу нельзя будет сохранить: %1</source>
        <translation>The table cannot be saved: %1</translation>
    </message>
    <message>
        <source>Файл: %1
%2</source>
        <translation>File: %1
%2</translation>
    </message>
    <message>
        <source>Файл: %1</source>
        <translation>File: %1</translation>
    </message>
    <message>
        <source>Несохранённые изменения будут записаны при следующем изменении таблицы.</source>
        <translation>Unsaved changes will be written at the next change of the table.</translation>
    </message>
    <message>
        <source>Переключение отменено: %1 помещается не более %2 полиномов, а в таблице их %3.</source>
        <translation>Switch cancelled: %1 holds at most %2 polynomials, and the table has %3.</translation>
    </message>
    <message>
        <source>STORE: таблица полиномов</source>
        <translation>STORE: polynomial table</translation>
    </message>
    <message>
        <source>Окно редактирования таблицы полиномов</source>
        <translation>Polynomial table editing window</translation>
    </message>
    <message>
        <source>Окно работы с таблицей полиномов</source>
        <translation>Window for working with the polynomial table</translation>
    </message>
    <message>
        <source>Таблица полиномов</source>
        <translation>Polynomial table</translation>
    </message>
</context>
<context>
    <name>TForm3</name>
    <message>
        <source>POLINOM: Вычисления полиномов</source>
        <translation>POLINOM: Polynomial calculations</translation>
    </message>
    <message>
        <source>Полиномы (Операнды и результат):</source>
        <translation>Polynomials (operands and result):</translation>
    </message>
    <message>
        <source>Полиномы - операнды</source>
        <translation>Polynomials - operands</translation>
    </message>
    <message>
        <source>Полином - результат</source>
        <translation>Polynomial - result</translation>
    </message>
    <message>
        <source>Название</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Ввод формулы вычисления</source>
        <translation>Formula to calculate</translation>
    </message>
    <message>
        <source>Помощь по</source>
        <translation>Help on</translation>
    </message>
    <message>
        <source>Операциям:</source>
        <translation>operations:</translation>
    </message>
    <message>
        <source>Окно для вычислений над полиномами</source>
        <translation>Window for calculations over polynomials</translation>
    </message>
    <message>
        <source>Формула:</source>
        <translation>Formula:</translation>
    </message>
    <message>
        <source>Введите формулу вычисления полинома</source>
        <translation>Type the formula of the polynomial to calculate</translation>
    </message>
    <message>
        <source>Ошибки:</source>
        <translation>Errors:</translation>
    </message>
    <message>
        <source>Синтаксические ошибки в записи формулы</source>
        <translation>Syntax errors in the formula</translation>
    </message>
    <message>
        <source>Сохранить  введённую формулу в файле</source>
        <translation>Save the typed formula in the file</translation>
    </message>
    <message>
        <source>Загрузить формулу из файла</source>
        <translation>Load a formula from the file</translation>
    </message>
    <message>
        <source>Полиномы - операнды (кол-во операнд = %1)</source>
        <translation>Polynomials - operands (number of operands = %1)</translation>
    </message>
    <message>
        <source>Cложение полиномов: [Pol1] + [Pol2]</source>
        <translation>Sum of polynomials: [Pol1] + [Pol2]</translation>
    </message>
    <message>
        <source>Вычитание полиномов: [Pol1] - [Pol2]</source>
        <translation>Difference of polynomials: [Pol1] - [Pol2]</translation>
    </message>
    <message>
        <source>Умножение полиномов: [Pol1] * [Pol2]</source>
        <translation>Product of polynomials: [Pol1] * [Pol2]</translation>
    </message>
    <message>
        <source>Возведение в степень: [Pol] ^ [IntN]</source>
        <translation>Power: [Pol] ^ [IntN]</translation>
    </message>
    <message>
        <source>Частная производная от полинома: d/dp( [Pol] )</source>
        <translation>Partial derivative of a polynomial: d/dp( [Pol] )</translation>
    </message>
    <message>
        <source>Интеграл по переменной : int-dp( [Pol] )</source>
        <translation>Integral by a variable: int-dp( [Pol] )</translation>
    </message>
    <message>
        <source>Скобки: ( ....)</source>
        <translation>Brackets: ( ....)</translation>
    </message>
    <message>
        <source>Переменная: p (Выбирите X, Y или Z)</source>
        <translation>Variable: p (choose X, Y or Z)</translation>
    </message>
    <message>
        <source>Вычислить</source>
        <translation>Calculate</translation>
    </message>
    <message>
        <source>Ввычисление полинома по введённой формуле</source>
        <translation>Calculates the polynomial by the typed formula</translation>
    </message>
    <message>
        <source>Заносить результат в таблицу полиномов;</source>
        <translation>Put the result into the polynomial table;</translation>
    </message>
    <message>
        <source>Назначать стандартное имя полиному (Res№);</source>
        <translation>Give the polynomial a standard name (Res#);</translation>
    </message>
    <message>
        <source>Имя полинома определённое пользователем:</source>
        <translation>Polynomial name given by the user:</translation>
    </message>
    <message>
        <source>Название полинома введено.</source>
        <translation>The polynomial&apos;s name is entered.</translation>
    </message>
    <message>
        <source>!!!--------Ошибки при вычислении--------!!!</source>
        <translation>!!!--------Errors in the calculation--------!!!</translation>
    </message>
    <message>
        <source>!!!--Таблица заполнена: результат не занесён--!!! %1</source>
        <translation>!!!--The table is full: the result is not stored--!!! %1</translation>
    </message>
</context>
<context>
    <name>TForm4</name>
    <message>
        <source>NEW: Добавление в таблицу нового полинома</source>
        <translation>NEW: Adding a new polynomial to the table</translation>
    </message>
    <message>
        <source>Добавление полинома</source>
        <translation>Adding a polynomial</translation>
    </message>
    <message>
        <source>Идентификатор полинома (Название):</source>
        <translation>Polynomial identifier (name):</translation>
    </message>
    <message>
        <source>Полином:</source>
        <translation>Polynomial:</translation>
    </message>
    <message>
        <source>Ошибки:</source>
        <translation>Errors:</translation>
    </message>
</context>
<context>
    <name>TForm5</name>
    <message>
        <source>DELETE: Удаление полинома из таблицы.</source>
        <translation>DELETE: Deleting a polynomial from the table.</translation>
    </message>
    <message>
        <source>Удаление полинома</source>
        <translation>Deleting a polynomial</translation>
    </message>
    <message>
        <source>Название полинома:</source>
        <translation>Polynomial name:</translation>
    </message>
    <message>
        <source>Выражение полинома:</source>
        <translation>Polynomial expression:</translation>
    </message>
    <message>
        <source>Номер:</source>
        <translation>Number:</translation>
    </message>
    <message>
        <source>Полином не выбран</source>
        <translation>No polynomial chosen</translation>
    </message>
</context>
<context>
    <name>TForm6</name>
    <message>
        <source>CHANGE: Изменение существующего полинома (с копированием)</source>
        <translation>CHANGE: Changing an existing polynomial (with copying)</translation>
    </message>
    <message>
        <source>Изменение полинома</source>
        <translation>Changing a polynomial</translation>
    </message>
    <message>
        <source>Название полинома:</source>
        <translation>Polynomial name:</translation>
    </message>
    <message>
        <source>Выражение полинома:</source>
        <translation>Polynomial expression:</translation>
    </message>
    <message>
        <source>Новое название:</source>
        <translation>New name:</translation>
    </message>
    <message>
        <source>Новое выражение:</source>
        <translation>New expression:</translation>
    </message>
    <message>
        <source>Ошибки в выражении:</source>
        <translation>Errors in the expression:</translation>
    </message>
    <message>
        <source>Полином не выбран</source>
        <translation>No polynomial chosen</translation>
    </message>
</context>
<context>
    <name>TForm7</name>
    <message>
        <source>SAVE STORE: Предупреждение</source>
        <translation>SAVE STORE: Warning</translation>
    </message>
    <message>
        <source>Сохранение таблицы</source>
        <translation>Saving the table</translation>
    </message>
    <message>
        <source>ВНИМАНИЕ !</source>
        <translation>WARNING!</translation>
    </message>
    <message>
        <source>Предупреждение</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>Включение режима сохранения
таблицы полиномов приведёт к
сохранению    на    диске    всех
изменений    производимых    с
таблицей. 
Включить  режим   сохранения?</source>
        <translation>Switching on the save mode of
the polynomial table will save
every change made to the table
on the disk.

Switch the save mode on?</translation>
    </message>
</context>
<context>
    <name>TForm8</name>
    <message>
        <source>SAVE / LOAD FORMULA: Сохранение и загрузка формул</source>
        <translation>SAVE / LOAD FORMULA: Saving and loading formulas</translation>
    </message>
    <message>
        <source>Сохранённые формулы</source>
        <translation>Saved formulas</translation>
    </message>
    <message>
        <source>Формула: </source>
        <translation>Formula: </translation>
    </message>
    <message>
        <source>Формула:</source>
        <translation>Formula:</translation>
    </message>
    <message>
        <source>Описание:</source>
        <translation>Description:</translation>
    </message>
    <message>
        <source>Сохранить</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Загрузить</source>
        <translation>Load</translation>
    </message>
    <message>
        <source>Удалить</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Описание формулы:</source>
        <translation>Formula description:</translation>
    </message>
    <message>
        <source>Файл формул не читается!</source>
        <translation>The formula file cannot be read!</translation>
    </message>
    <message>
        <source>Описание «!» скрыло бы формулу! Измените описание.</source>
        <translation>The description «!» would hide the formula! Change the description.</translation>
    </message>
    <message>
        <source>Нет свободного места в файле формул! Формула не сохранена.</source>
        <translation>No free room in the formula file! The formula is not saved.</translation>
    </message>
    <message>
        <source>Ошибка чтения файла формул! Формула не сохранена.</source>
        <translation>Error reading the formula file! The formula is not saved.</translation>
    </message>
    <message>
        <source>Ошибка записи файла формул! Формула не сохранена.</source>
        <translation>Error writing the formula file! The formula is not saved.</translation>
    </message>
    <message>
        <source>Файл формул изменён другой программой! Список обновлён.</source>
        <translation>The formula file was changed by another program! The list is updated.</translation>
    </message>
    <message>
        <source>Ошибка чтения файла формул! Формула не удалена.</source>
        <translation>Error reading the formula file! The formula is not deleted.</translation>
    </message>
    <message>
        <source>Ошибка записи файла формул! Формула не удалена.</source>
        <translation>Error writing the formula file! The formula is not deleted.</translation>
    </message>
</context>
<context>
    <name>TForm9</name>
    <message>
        <source>Пошаговая работа списка</source>
        <translation>The list step by step</translation>
    </message>
    <message>
        <source>Пошаговая работа транслятора</source>
        <translation>The translator step by step</translation>
    </message>
    <message>
        <source>Пошаговая работа таблиц</source>
        <translation>Tables step by step</translation>
    </message>
    <message>
        <source>Полином не выбран!</source>
        <translation>No polynomial chosen!</translation>
    </message>
    <message>
        <source>Полином не выбран</source>
        <translation>No polynomial chosen</translation>
    </message>
    <message>
        <source>OVERVIEW: Демонстрационные возможности</source>
        <translation>OVERVIEW: Demonstrations</translation>
    </message>
    <message>
        <source>Выбор полнома</source>
        <translation>Choice of polynomial</translation>
    </message>
    <message>
        <source>Просмотр структуры</source>
        <translation>Structure view</translation>
    </message>
    <message>
        <source>Построение поверхности</source>
        <translation>Surface drawing</translation>
    </message>
    <message>
        <source>Эффективность таблиц</source>
        <translation>Table efficiency</translation>
    </message>
    <message>
        <source>Название</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Полином</source>
        <translation>Polynomial</translation>
    </message>
    <message>
        <source>Математическое выражение полинома</source>
        <translation>Mathematical expression of the polynomial</translation>
    </message>
    <message>
        <source>Полином: %1</source>
        <translation>Polynomial: %1</translation>
    </message>
</context>
<context>
    <name>TFormulaReading</name>
    <message>
        <source>показатель %1 усечён до %2</source>
        <translation>exponent %1 cut down to %2</translation>
    </message>
    <message>
        <source>степень степени читается слева направо: %1</source>
        <translation>a power of a power is read from the left: %1</translation>
    </message>
</context>
<context>
    <name>TGrowthWindow</name>
    <message>
        <source>Число записей n</source>
        <translation>Number of records n</translation>
    </message>
    <message>
        <source>Операций на одну операцию</source>
        <translation>Operations per operation</translation>
    </message>
    <message>
        <source>Время одной операции, мкс</source>
        <translation>Time of one operation, µs</translation>
    </message>
    <message>
        <source>%1: m — корзин, занятых ключами (при n = %2: %3)</source>
        <translation>%1: m is the buckets the keys occupy (at n = %2: %3)</translation>
    </message>
    <message>
        <source>%1 при n = %2: </source>
        <translation>%1 at n = %2: </translation>
    </message>
    <message>
        <source>%1 операций</source>
        <translation>%1 steps</translation>
    </message>
    <message>
        <source>%1 мкс</source>
        <translation>%1 µs</translation>
    </message>
    <message>
        <source>Рост затрат с объёмом таблицы</source>
        <translation>Growth of the cost with the table size</translation>
    </message>
    <message>
        <source>Ход и итог расчёта</source>
        <translation>Progress and outcome of the run</translation>
    </message>
    <message>
        <source>Ход расчёта</source>
        <translation>Progress of the run</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Прервать расчёт</source>
        <translation>Stop the run</translation>
    </message>
    <message>
        <source>Логарифмические оси</source>
        <translation>Logarithmic axes</translation>
    </message>
    <message>
        <source>Сохранить данные…</source>
        <translation>Save data…</translation>
    </message>
    <message>
        <source>Записать точки в файл CSV: n, организация, операций, мкс</source>
        <translation>Write the points to a CSV file: n, organisation, operations, µs</translation>
    </message>
    <message>
        <source>Среднее число операций на одну операцию</source>
        <translation>Mean number of steps per operation</translation>
    </message>
    <message>
        <source>Среднее время одной операции, мкс</source>
        <translation>Mean time of one operation, µs</translation>
    </message>
    <message>
        <source>поиск</source>
        <translation>search</translation>
    </message>
    <message>
        <source>вставка</source>
        <translation>insertion</translation>
    </message>
    <message>
        <source>удаление</source>
        <translation>deletion</translation>
    </message>
    <message>
        <source>Идёт расчёт (%1, корзин: %2 % от n)…</source>
        <translation>Running (%1, buckets: %2 % of n)…</translation>
    </message>
    <message>
        <source>Расчёт прерван; точек: %1</source>
        <translation>Run stopped; points: %1</translation>
    </message>
    <message>
        <source>Готово: %1 операций на каждый объём таблицы, время по монотонным часам</source>
        <translation>Done: %1 operations for each table size, time by the monotonic clock</translation>
    </message>
    <message>
        <source>Среднее число операций</source>
        <translation>Mean number of steps</translation>
    </message>
    <message>
        <source>Среднее время операции, мкс</source>
        <translation>Mean time of an operation, µs</translation>
    </message>
    <message>
        <source>Нет данных</source>
        <translation>No data</translation>
    </message>
    <message>
        <source>Файл не записан: %1</source>
        <translation>File not written: %1</translation>
    </message>
    <message>
        <source>Данные записаны в %1</source>
        <translation>Data written to %1</translation>
    </message>
    <message>
        <source>Сохранить данные</source>
        <translation>Save data</translation>
    </message>
    <message>
        <source>Данные CSV (*.csv)</source>
        <translation>CSV data (*.csv)</translation>
    </message>
</context>
<context>
    <name>THelpWindow</name>
    <message>
        <source>TERMIX: Справка</source>
        <translation>TERMIX: Help</translation>
    </message>
    <message>
        <source>Содержание</source>
        <translation>Contents</translation>
    </message>
    <message>
        <source>Назад</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>Вперёд</source>
        <translation>Forward</translation>
    </message>
    <message>
        <source>Справка</source>
        <translation>Help</translation>
    </message>
</context>
<context>
    <name>TListStepPicture</name>
    <message>
        <source>голова</source>
        <translation>head</translation>
    </message>
    <message>
        <source>текущее</source>
        <translation>current</translation>
    </message>
    <message>
        <source>предыдущее</source>
        <translation>previous</translation>
    </message>
</context>
<context>
    <name>TListSteps</name>
    <message>
        <source>AddMonom(r, m):</source>
        <translation>AddMonom(r, m):</translation>
    </message>
    <message>
        <source>  ResetList; пока индекс m &lt; индекса текущего звена: GoNextLink</source>
        <translation>  ResetList; while index of m &lt; index of the current link: GoNextLink</translation>
    </message>
    <message>
        <source>  если индекс текущего звена ≠ индексу m: InsCurrent(m), вставка перед ним</source>
        <translation>  if index of the current link ≠ index of m: InsCurrent(m), insert before it</translation>
    </message>
    <message>
        <source>  иначе s := коэффициент текущего звена + коэффициент m:</source>
        <translation>  else s := coefficient of the current link + coefficient of m:</translation>
    </message>
    <message>
        <source>    если s = 0: DelCurrent, текущее звено удаляется</source>
        <translation>    if s = 0: DelCurrent, the current link is deleted</translation>
    </message>
    <message>
        <source>    иначе коэффициент текущего звена := s</source>
        <translation>    else coefficient of the current link := s</translation>
    </message>
    <message>
        <source>Чтение текста полинома:</source>
        <translation>Reading a polynomial text:</translation>
    </message>
    <message>
        <source>  r := пустой полином</source>
        <translation>  r := empty polynomial</translation>
    </message>
    <message>
        <source>  для каждого монома текста по порядку:</source>
        <translation>  for each monomial of the text in order:</translation>
    </message>
    <message>
        <source>    прочитать коэффициент и степени: m := (коэффициент; индекс)</source>
        <translation>    read the coefficient and powers: m := (coefficient; index)</translation>
    </message>
    <message>
        <source>    если коэффициент m не 0: AddMonom(r, m)</source>
        <translation>    if coefficient of m is not 0: AddMonom(r, m)</translation>
    </message>
    <message>
        <source>  результат: r</source>
        <translation>  result: r</translation>
    </message>
    <message>
        <source>Сумма p + q:</source>
        <translation>Sum p + q:</translation>
    </message>
    <message>
        <source>  r := копия p</source>
        <translation>  r := copy of p</translation>
    </message>
    <message>
        <source>  для каждого звена a полинома q по порядку:</source>
        <translation>  for each link a of polynomial q in order:</translation>
    </message>
    <message>
        <source>    m := a; AddMonom(r, m)</source>
        <translation>    m := a; AddMonom(r, m)</translation>
    </message>
    <message>
        <source>Разность p − q:</source>
        <translation>Difference p − q:</translation>
    </message>
    <message>
        <source>    m := (−коэффициент a; индекс a); AddMonom(r, m)</source>
        <translation>    m := (−coefficient of a; index of a); AddMonom(r, m)</translation>
    </message>
    <message>
        <source>Произведение p · q:</source>
        <translation>Product p · q:</translation>
    </message>
    <message>
        <source>    для каждого звена t полинома p по порядку:</source>
        <translation>    for each link t of polynomial p in order:</translation>
    </message>
    <message>
        <source>      m := (коэффициент t · коэффициент a; степени t + степени a, не выше 99)</source>
        <translation>      m := (coefficient of t · coefficient of a; powers of t + powers of a, at most 99)</translation>
    </message>
    <message>
        <source>      если коэффициент m не 0: AddMonom(r, m)</source>
        <translation>      if coefficient of m is not 0: AddMonom(r, m)</translation>
    </message>
    <message>
        <source>Производная от p по v:</source>
        <translation>Derivative of p by v:</translation>
    </message>
    <message>
        <source>  для каждого звена t полинома p по порядку:</source>
        <translation>  for each link t of polynomial p in order:</translation>
    </message>
    <message>
        <source>    k := степень v в t; m := (коэффициент t · k; степень v: k − 1)</source>
        <translation>    k := power of v in t; m := (coefficient of t · k; power of v: k − 1)</translation>
    </message>
    <message>
        <source>    если k &gt; 0 и коэффициент m не 0: AddMonom(r, m)</source>
        <translation>    if k &gt; 0 and coefficient of m is not 0: AddMonom(r, m)</translation>
    </message>
    <message>
        <source>Интеграл от p по v:</source>
        <translation>Integral of p by v:</translation>
    </message>
    <message>
        <source>    k := степень v в t</source>
        <translation>    k := power of v in t</translation>
    </message>
    <message>
        <source>    если k &lt; 99: m := (коэффициент t / (k + 1); степень v: k + 1)</source>
        <translation>    if k &lt; 99: m := (coefficient of t / (k + 1); power of v: k + 1)</translation>
    </message>
    <message>
        <source>    иначе m := (коэффициент t / 99; степень v: 99), переполнение</source>
        <translation>    else m := (coefficient of t / 99; power of v: 99), overflow</translation>
    </message>
    <message>
        <source>Звено %1 вставлено в позицию %2</source>
        <translation>Link %1 inserted at position %2</translation>
    </message>
    <message>
        <source>Головное звено, индекс -1 &lt; %1: вставка перед ним, в конец кольца</source>
        <translation>Head link, index -1 &lt; %1: insert before it, at the end of the ring</translation>
    </message>
    <message>
        <source>Индекс %1 &lt; %2: переход к следующему звену</source>
        <translation>Index %1 &lt; %2: on to the next link</translation>
    </message>
    <message>
        <source>Индекс %1 &gt; %2: вставка перед текущим звеном</source>
        <translation>Index %1 &gt; %2: insert before the current link</translation>
    </message>
    <message>
        <source>Индекс %1 = %2: коэффициенты складываются</source>
        <translation>Index %1 = %2: the coefficients are added</translation>
    </message>
    <message>
        <source>%1 + %2 = 0: звено с индексом %3 удаляется</source>
        <translation>%1 + %2 = 0: the link with index %3 is deleted</translation>
    </message>
    <message>
        <source>%1 + %2 = %3: новый коэффициент звена с индексом %4</source>
        <translation>%1 + %2 = %3: the new coefficient of the link with index %4</translation>
    </message>
    <message>
        <source>Операции нужно больше %1 шагов: возьмите полиномы короче</source>
        <translation>The operation needs more than %1 steps: take shorter polynomials</translation>
    </message>
    <message>
        <source>Готово: звеньев в r: %1, просмотрено звеньев: %2; степень ограничена 99, переполнение</source>
        <translation>Done: links in r: %1, links visited: %2; a power was held at 99, overflow</translation>
    </message>
    <message>
        <source>Готово: звеньев в r: %1, просмотрено звеньев: %2</source>
        <translation>Done: links in r: %1, links visited: %2</translation>
    </message>
    <message>
        <source>В полиноме %1 мономов: %2; пошаговый показ строится не более чем для %3</source>
        <translation>Polynomial %1 has %2 monomials; steps are shown for at most %3</translation>
    </message>
    <message>
        <source>r — копия p (звеньев: %1); звенья q добавляются к r по одному</source>
        <translation>r is a copy of p (links: %1); the links of q are added to r one by one</translation>
    </message>
    <message>
        <source>Звено %1 полинома q: a = %2; m = %3</source>
        <translation>Link %1 of polynomial q: a = %2; m = %3</translation>
    </message>
    <message>
        <source>Звено %1 полинома q: m = %2</source>
        <translation>Link %1 of polynomial q: m = %2</translation>
    </message>
    <message>
        <source>r — пустой полином; каждое звено q умножается на каждое звено p</source>
        <translation>r is the empty polynomial; every link of q is multiplied by every link of p</translation>
    </message>
    <message>
        <source>Звено %1 полинома q: a = %2; на a умножается каждое звено p</source>
        <translation>Link %1 of polynomial q: a = %2; every link of p is multiplied by a</translation>
    </message>
    <message>
        <source>%1 · %2: коэффициент 0, моном не добавляется</source>
        <translation>%1 · %2: coefficient 0, the monomial is not added</translation>
    </message>
    <message>
        <source>%1 · %2 = %3: степень выше 99 ограничена</source>
        <translation>%1 · %2 = %3: a power above 99 is held at 99</translation>
    </message>
    <message>
        <source>%1 · %2 = %3</source>
        <translation>%1 · %2 = %3</translation>
    </message>
    <message>
        <source>r — пустой полином; звенья p переводятся в r по одному</source>
        <translation>r is the empty polynomial; the links of p are carried into r one by one</translation>
    </message>
    <message>
        <source>Звено %1 полинома p: %2 не содержит %3, моном исчезает</source>
        <translation>Link %1 of polynomial p: %2 does not contain %3, the monomial vanishes</translation>
    </message>
    <message>
        <source>Звено %1 полинома p: %2; m = %3, коэффициент 0, моном не добавляется</source>
        <translation>Link %1 of polynomial p: %2; m = %3, coefficient 0, the monomial is not added</translation>
    </message>
    <message>
        <source>Звено %1 полинома p: %2, степень %3 равна 99 и остаётся: m = %4, переполнение</source>
        <translation>Link %1 of polynomial p: %2, the power of %3 is 99 and stays: m = %4, overflow</translation>
    </message>
    <message>
        <source>Звено %1 полинома p: %2, степень %3 равна %4: m = %5</source>
        <translation>Link %1 of polynomial p: %2, the power of %3 is %4: m = %5</translation>
    </message>
    <message>
        <source>Текст не прочитан: %1</source>
        <translation>The text is not read: %1</translation>
    </message>
    <message>
        <source>В тексте мономов: %1; пошаговый показ строится не более чем для %2</source>
        <translation>Monomials in the text: %1; steps are shown for at most %2</translation>
    </message>
    <message>
        <source>Текст «%1»: мономов %2; r — пустой полином</source>
        <translation>Text «%1»: %2 monomials; r is the empty polynomial</translation>
    </message>
    <message>
        <source>Моном %1, «%2»: коэффициент 0, он не добавляется</source>
        <translation>Monomial %1, «%2»: coefficient 0, it is not added</translation>
    </message>
    <message>
        <source>Моном %1, «%2»: m = %3</source>
        <translation>Monomial %1, «%2»: m = %3</translation>
    </message>
    <message>
        <source>Нет переменной %1</source>
        <translation>There is no variable %1</translation>
    </message>
    <message>
        <source>Чтение текста</source>
        <translation>Reading a text</translation>
    </message>
    <message>
        <source>Сумма p + q</source>
        <translation>Sum p + q</translation>
    </message>
    <message>
        <source>Разность p − q</source>
        <translation>Difference p − q</translation>
    </message>
    <message>
        <source>Произведение p · q</source>
        <translation>Product p · q</translation>
    </message>
    <message>
        <source>Производная от p по %1</source>
        <translation>Derivative of p by %1</translation>
    </message>
    <message>
        <source>Интеграл от p по %1</source>
        <translation>Integral of p by %1</translation>
    </message>
</context>
<context>
    <name>TListStepsPage</name>
    <message>
        <source>Чтение текста p</source>
        <translation>Reading the text p</translation>
    </message>
    <message>
        <source>Сумма p + q</source>
        <translation>Sum p + q</translation>
    </message>
    <message>
        <source>Разность p − q</source>
        <translation>Difference p − q</translation>
    </message>
    <message>
        <source>Произведение p · q</source>
        <translation>Product p · q</translation>
    </message>
    <message>
        <source>Производная от p</source>
        <translation>Derivative of p</translation>
    </message>
    <message>
        <source>Интеграл от p</source>
        <translation>Integral of p</translation>
    </message>
    <message>
        <source>Операция, которую показывают шаги</source>
        <translation>The operation the steps show</translation>
    </message>
    <message>
        <source>Переменная производной и интеграла</source>
        <translation>The variable of the derivative and the integral</translation>
    </message>
    <message>
        <source>Полином: текст или полином таблицы (не больше %1 мономов)</source>
        <translation>Polynomial: a text or a polynomial of the table (at most %1 monomials)</translation>
    </message>
    <message>
        <source>Оп&amp;ерация:</source>
        <translation>Op&amp;eration:</translation>
    </message>
    <message>
        <source>Пере&amp;менная:</source>
        <translation>&amp;Variable:</translation>
    </message>
    <message>
        <source>&amp;p:</source>
        <translation>&amp;p:</translation>
    </message>
    <message>
        <source>&amp;q:</source>
        <translation>&amp;q:</translation>
    </message>
    <message>
        <source>Полином %1: %2</source>
        <translation>Polynomial %1: %2</translation>
    </message>
</context>
<context>
    <name>TPolFunc</name>
    <message>
        <source>Полином не введён</source>
        <translation>No polynomial entered</translation>
    </message>
    <message>
        <source>Зависимость установлена</source>
        <translation>Dependence set</translation>
    </message>
    <message>
        <source>Выражение не преобразовано в функцию!</source>
        <translation>The expression is not turned into a function!</translation>
    </message>
    <message>
        <source>Функция определена не во всей области!</source>
        <translation>The function is not defined in the whole region!</translation>
    </message>
    <message>
        <source>Переменная %1 не может быть выражена из полинома</source>
        <translation>The variable %1 cannot be expressed from the polynomial</translation>
    </message>
</context>
<context>
    <name>TPolReading</name>
    <message>
        <source>«%1» прочитано как %2: «%3» без степени задаёт степень 1, а не умножает</source>
        <translation>“%1” read as %2: “%3” without a power sets the power to 1, it does not multiply</translation>
    </message>
    <message>
        <source>«%1» прочитано как %2: пустая степень равна 1</source>
        <translation>“%1” read as %2: an empty power is 1</translation>
    </message>
    <message>
        <source>коэффициент %1 хранится как %2</source>
        <translation>coefficient %1 is kept as %2</translation>
    </message>
    <message>
        <source>%1: голова кольца, не моном</source>
        <translation>%1: head of the ring, not a monomial</translation>
    </message>
    <message>
        <source>%1: свободный член, все степени 0</source>
        <translation>%1: constant term, every power 0</translation>
    </message>
    <message>
        <source>%1 = %2</source>
        <translation>%1 = %2</translation>
    </message>
    <message>
        <source>«%1» прочитано как %2: «%3» разделяет мономы</source>
        <translation>“%1” read as %2: “%3” separates monomials</translation>
    </message>
</context>
<context>
    <name>TPolTableDocument</name>
    <message>
        <source>удаление %1</source>
        <translation>deletion of %1</translation>
    </message>
    <message>
        <source>изменение %1</source>
        <translation>change of %1</translation>
    </message>
    <message>
        <source>изменение %1 (новое название %2)</source>
        <translation>change of %1 (new name %2)</translation>
    </message>
    <message>
        <source>число полей хеш-таблицы: %1</source>
        <translation>hash table buckets: %1</translation>
    </message>
    <message>
        <source>добавление %1</source>
        <translation>addition of %1</translation>
    </message>
    <message>
        <source>занесение результата %1</source>
        <translation>storing the result %1</translation>
    </message>
    <message>
        <source>копирование %1 в %2</source>
        <translation>copying %1 to %2</translation>
    </message>
</context>
<context>
    <name>TPolTableModel</name>
    <message>
        <source>Название</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Полином</source>
        <translation>Polynomial</translation>
    </message>
</context>
<context>
    <name>TPolinom</name>
    <message>
        <source>Полином не введён!</source>
        <translation>No polynomial entered!</translation>
    </message>
    <message>
        <source>Ошибка в коэффициенте или в определении переменной монома! [Mon№%1]</source>
        <translation>Error in the coefficient or in a variable of the monomial! [Mon #%1]</translation>
    </message>
    <message>
        <source>Ошибка в определении переменной! [Mon№%1]</source>
        <translation>Error in a variable! [Mon #%1]</translation>
    </message>
    <message>
        <source>Ошибка в степени переменной %1! [Mon№%2]</source>
        <translation>Error in the power of variable %1! [Mon #%2]</translation>
    </message>
    <message>
        <source>Значение степени переменной %1выходит за область допустимых значений! [Mon№%2]</source>
        <translation>The power of variable %1 is out of the allowed range! [Mon #%2]</translation>
    </message>
    <message>
        <source>Ошибки не обнаружены.</source>
        <translation>No errors found.</translation>
    </message>
</context>
<context>
    <name>TReadingLine</name>
    <message>
        <source>Прочитано как</source>
        <translation>Read as</translation>
    </message>
    <message>
        <source>Прочитано как: —</source>
        <translation>Read as: —</translation>
    </message>
    <message>
        <source>Прочитано как: %1</source>
        <translation>Read as: %1</translation>
    </message>
    <message>
        <source>Прочитано как: %1 (%2)</source>
        <translation>Read as: %1 (%2)</translation>
    </message>
</context>
<context>
    <name>TRecordName</name>
    <message>
        <source>Название полинома не введено!</source>
        <translation>No polynomial name entered!</translation>
    </message>
    <message>
        <source>Название полинома содержит недопустимые символы!</source>
        <translation>The polynomial name contains characters that are not allowed!</translation>
    </message>
    <message>
        <source>Полином с таким названием уже существует! [Pol№%1]</source>
        <translation>A polynomial with this name already exists! [Pol#%1]</translation>
    </message>
</context>
<context>
    <name>TStepShow</name>
    <message>
        <source>Алгоритм</source>
        <translation>Algorithm</translation>
    </message>
    <message>
        <source>Алгоритм: строка, которую выполняет шаг, выделена</source>
        <translation>Algorithm: the line the step carries out is marked</translation>
    </message>
    <message>
        <source>Пояснение шага</source>
        <translation>Explanation of the step</translation>
    </message>
    <message>
        <source>В начало</source>
        <translation>To the start</translation>
    </message>
    <message>
        <source>К первому шагу</source>
        <translation>To the first step</translation>
    </message>
    <message>
        <source>Шаг назад</source>
        <translation>Step back</translation>
    </message>
    <message>
        <source>Предыдущий шаг (стрелка влево)</source>
        <translation>Previous step (Left arrow)</translation>
    </message>
    <message>
        <source>Шаг</source>
        <translation>Step</translation>
    </message>
    <message>
        <source>Следующий шаг (стрелка вправо)</source>
        <translation>Next step (Right arrow)</translation>
    </message>
    <message>
        <source>Пуск/Пауза</source>
        <translation>Play/Pause</translation>
    </message>
    <message>
        <source>Показывать шаги один за другим (пробел)</source>
        <translation>Show the steps one after another (space bar)</translation>
    </message>
    <message>
        <source>В конец</source>
        <translation>To the end</translation>
    </message>
    <message>
        <source>К итогу</source>
        <translation>To the outcome</translation>
    </message>
    <message>
        <source>Скорость показа: шагов в секунду</source>
        <translation>Speed of the show: steps per second</translation>
    </message>
    <message>
        <source>Шаг %1 из %2</source>
        <translation>Step %1 of %2</translation>
    </message>
    <message>
        <source>&amp;Скорость:</source>
        <translation>&amp;Speed:</translation>
    </message>
    <message>
        <source>Рисунок шага: то, что он делает, выделено; Ctrl + колесо мыши меняет масштаб</source>
        <translation>The step&apos;s picture: what it does is marked; Ctrl + mouse wheel zooms</translation>
    </message>
</context>
<context>
    <name>TStructurePaper</name>
    <message>
        <source>Полином %1, %2</source>
        <translation>Polynomial %1, %2</translation>
    </message>
    <message>
        <source>Формула: %1</source>
        <translation>Formula: %1</translation>
    </message>
</context>
<context>
    <name>TStructureView</name>
    <message>
        <source>Переносить строки</source>
        <translation>Wrap rows</translation>
    </message>
    <message>
        <source>Крупнее</source>
        <translation>Larger</translation>
    </message>
    <message>
        <source>Мельче</source>
        <translation>Smaller</translation>
    </message>
</context>
<context>
    <name>TSurfacePage</name>
    <message>
        <source>Вписать</source>
        <translation>Fit</translation>
    </message>
    <message>
        <source>Подобрать центр и размеры области просмотра так, чтобы поверхность уместилась в ней целиком</source>
        <translation>Choose the centre and the sizes of the viewing region so that the whole surface fits in it</translation>
    </message>
    <message>
        <source>Поиск области, вмещающей поверхность…</source>
        <translation>Searching for a region that holds the surface…</translation>
    </message>
    <message>
        <source>Поверхность не найдена в кубе с полуразмером до %1</source>
        <translation>No surface found in a cube of half-size up to %1</translation>
    </message>
    <message>
        <source>Область вмещает всю поверхность</source>
        <translation>The region holds the whole surface</translation>
    </message>
    <message>
        <source>Поверхность не ограничена: область показывает её часть</source>
        <translation>The surface is unbounded: the region shows a part of it</translation>
    </message>
    <message>
        <source>Полином не выбран!</source>
        <translation>No polynomial chosen!</translation>
    </message>
    <message>
        <source>Полином не выбран !</source>
        <translation>No polynomial chosen !</translation>
    </message>
    <message>
        <source>Ошибки при установлении зависимости и рисовании поверхности</source>
        <translation>Errors in setting the dependence and drawing the surface</translation>
    </message>
    <message>
        <source>Ход построения сетки и сохранение файлов</source>
        <translation>Progress of the mesh and saved files</translation>
    </message>
    <message>
        <source>Знач. неявной ф-и F(x,y,z)=</source>
        <translation>Implicit function value F(x,y,z)=</translation>
    </message>
    <message>
        <source>Центр области просмотра:</source>
        <translation>Centre of the view region:</translation>
    </message>
    <message>
        <source>Размеры области просмотра:</source>
        <translation>Size of the view region:</translation>
    </message>
    <message>
        <source>Выбор зависимой переменной:</source>
        <translation>Dependent variable:</translation>
    </message>
    <message>
        <source>Способ построения:</source>
        <translation>Drawing method:</translation>
    </message>
    <message>
        <source>Явная функция (V от двух переменных)</source>
        <translation>Explicit function (V of two variables)</translation>
    </message>
    <message>
        <source>Неявная поверхность F(x,y,z)=c</source>
        <translation>Implicit surface F(x,y,z)=c</translation>
    </message>
    <message>
        <source>Ячеек сетки:</source>
        <translation>Mesh cells:</translation>
    </message>
    <message>
        <source>Сохранить изображение…</source>
        <translation>Save image…</translation>
    </message>
    <message>
        <source>Сохранить сетку…</source>
        <translation>Save mesh…</translation>
    </message>
    <message>
        <source>Построение сетки…</source>
        <translation>Building the mesh…</translation>
    </message>
    <message>
        <source>Построение сетки прервано</source>
        <translation>Mesh building stopped</translation>
    </message>
    <message>
        <source>Поверхность не пересекает область просмотра</source>
        <translation>The surface does not cross the view region</translation>
    </message>
    <message>
        <source>Сохранено: %1</source>
        <translation>Saved: %1</translation>
    </message>
    <message>
        <source>Не удалось сохранить %1: %2</source>
        <translation>Could not save %1: %2</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Ход построения сетки</source>
        <translation>Mesh building progress</translation>
    </message>
    <message>
        <source>Построено треугольников: %1</source>
        <translation>Triangles built: %1</translation>
    </message>
    <message>
        <source>Сохранить изображение</source>
        <translation>Save image</translation>
    </message>
    <message>
        <source>Рисунок PNG (*.png)</source>
        <translation>PNG picture (*.png)</translation>
    </message>
    <message>
        <source>Сохранить сетку</source>
        <translation>Save mesh</translation>
    </message>
    <message>
        <source>Сетка STL (*.stl);;Сетка OBJ (*.obj)</source>
        <translation>STL mesh (*.stl);;OBJ mesh (*.obj)</translation>
    </message>
    <message>
        <source>Не удалось сохранить %1</source>
        <translation>Could not save %1</translation>
    </message>
    <message>
        <source>Поиск области прерван</source>
        <translation>The search for the region was stopped</translation>
    </message>
    <message>
        <source>Остановить</source>
        <translation>Stop</translation>
    </message>
</context>
<context>
    <name>TTableDocumentAdapter</name>
    <message>
        <source>Отменить %1</source>
        <translation>Undo %1</translation>
    </message>
    <message>
        <source>Отменить</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>Повторить %1</source>
        <translation>Redo %1</translation>
    </message>
    <message>
        <source>Повторить</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>Таблица не сохранена: в файле таблицы нет свободных разделов!</source>
        <translation>The table was not saved: the table file has no free sections!</translation>
    </message>
    <message>
        <source>Таблица сохранена не полностью: названия некоторых полиномов нельзя записать в файл!</source>
        <translation>The table was saved only in part: the names of some polynomials cannot be written to the file!</translation>
    </message>
    <message>
        <source>Таблица не сохранена: файл таблицы недоступен для записи!</source>
        <translation>The table was not saved: the table file cannot be written!</translation>
    </message>
</context>
<context>
    <name>TTableStepPicture</name>
    <message>
        <source>голова</source>
        <translation>head</translation>
    </message>
    <message>
        <source>текущее</source>
        <translation>current</translation>
    </message>
    <message>
        <source>текущее =</source>
        <translation>current =</translation>
    </message>
    <message>
        <source>текущее ≠</source>
        <translation>current ≠</translation>
    </message>
    <message>
        <source>%1: поиск ключа %2; операций: %3</source>
        <translation>%1: search for the key %2; operations: %3</translation>
    </message>
    <message>
        <source>%1: вставка ключа %2; операций: %3</source>
        <translation>%1: insertion of the key %2; operations: %3</translation>
    </message>
    <message>
        <source>%1: удаление ключа %2; операций: %3</source>
        <translation>%1: deletion of the key %2; operations: %3</translation>
    </message>
    <message>
        <source>Текущее звено: позиция %1</source>
        <translation>Current link: position %1</translation>
    </message>
    <message>
        <source>Кольцо записей от головного звена</source>
        <translation>Ring of records from the head link</translation>
    </message>
    <message>
        <source>Массив записей по возрастанию ключей</source>
        <translation>Array of records in ascending key order</translation>
    </message>
    <message>
        <source>Корзин: %1</source>
        <translation>Buckets: %1</translation>
    </message>
</context>
<context>
    <name>TTableSteps</name>
    <message>
        <source>Поиск ключа в кольце (с него начинают InsRecord и DelRecord):</source>
        <translation>Search for the key in the ring (InsRecord and DelRecord begin with it):</translation>
    </message>
    <message>
        <source>  от первого звена, пока звенья не кончились:</source>
        <translation>  from the first link, while links are left:</translation>
    </message>
    <message>
        <source>    ключ звена = key: найден, стоп (это сравнение не считается)</source>
        <translation>    the link&apos;s key = key: found, stop (this comparison is not counted)</translation>
    </message>
    <message>
        <source>    иначе Efficiency += 1, переход к следующему звену</source>
        <translation>    else Efficiency += 1, on to the next link</translation>
    </message>
    <message>
        <source>InsRecord: найден — полином записи заменяется;</source>
        <translation>InsRecord: found — the record&apos;s polynomial is replaced;</translation>
    </message>
    <message>
        <source>  не найден — новое звено в конец кольца (InsLast)</source>
        <translation>  not found — a new link at the end of the ring (InsLast)</translation>
    </message>
    <message>
        <source>DelRecord: последняя запись переносится на место найденной,</source>
        <translation>DelRecord: the last record moves into the place of the one found,</translation>
    </message>
    <message>
        <source>  последнее звено удаляется, DataCount -= 1</source>
        <translation>  the last link is deleted, DataCount -= 1</translation>
    </message>
    <message>
        <source>Итог: позиция записи или код -104</source>
        <translation>Outcome: the record&apos;s position or the code -104</translation>
    </message>
    <message>
        <source>Двоичный поиск (SearchPos): lo := 0, hi := DataCount - 1</source>
        <translation>Binary search (SearchPos): lo := 0, hi := DataCount - 1</translation>
    </message>
    <message>
        <source>  пока lo &lt;= hi: mid := (lo + hi) / 2, Efficiency += 1</source>
        <translation>  while lo &lt;= hi: mid := (lo + hi) / 2, Efficiency += 1</translation>
    </message>
    <message>
        <source>    ключ[mid] = key: найден (это сравнение тоже считается)</source>
        <translation>    key[mid] = key: found (this comparison is counted too)</translation>
    </message>
    <message>
        <source>    key &lt; ключ[mid]: hi := mid - 1, иначе lo := mid + 1</source>
        <translation>    key &lt; key[mid]: hi := mid - 1, else lo := mid + 1</translation>
    </message>
    <message>
        <source>  иначе записи от lo сдвигаются вправо (Efficiency += 1 за сдвиг), новая — в lo</source>
        <translation>  else the records from lo shift right (Efficiency += 1 per shift), the new one goes to lo</translation>
    </message>
    <message>
        <source>DelRecord: найденная запись освобождается,</source>
        <translation>DelRecord: the record found is released,</translation>
    </message>
    <message>
        <source>  следующие сдвигаются влево (Efficiency += 1 за сдвиг), DataCount -= 1</source>
        <translation>  the following ones shift left (Efficiency += 1 per shift), DataCount -= 1</translation>
    </message>
    <message>
        <source>Итог: позиция записи или код</source>
        <translation>Outcome: the record&apos;s position or the code</translation>
    </message>
    <message>
        <source>HashFunc(key): сумма кодов символов ключа mod TabSize — корзина h</source>
        <translation>HashFunc(key): the sum of the key&apos;s character codes mod TabSize — bucket h</translation>
    </message>
    <message>
        <source>  пустая корзина: ключа нет (InsRecord создаёт её цепочку)</source>
        <translation>  an empty bucket: the key is absent (InsRecord makes its chain)</translation>
    </message>
    <message>
        <source>  иначе поиск в цепочке корзины, как в просмотровой таблице:</source>
        <translation>  else search in the bucket&apos;s chain, as in the scan table:</translation>
    </message>
    <message>
        <source>InsRecord: найден — полином заменяется; не найден — звено в конец цепочки</source>
        <translation>InsRecord: found — the polynomial is replaced; not found — a link at the end of the chain</translation>
    </message>
    <message>
        <source>DelRecord: последняя запись цепочки — на место найденной, её звено удаляется;</source>
        <translation>DelRecord: the chain&apos;s last record into the place of the one found, its link deleted;</translation>
    </message>
    <message>
        <source>  опустевшая цепочка освобождается</source>
        <translation>  a chain left empty is released</translation>
    </message>
    <message>
        <source>Итог: корзина записи или код -104</source>
        <translation>Outcome: the record&apos;s bucket or the code -104</translation>
    </message>
    <message>
        <source>Поиск ключа %1 %3 (записей: %2)</source>
        <translation>Search for the key %1 %3 (records: %2)</translation>
    </message>
    <message>
        <source>Вставка ключа %1 %3 (записей: %2)</source>
        <translation>Insertion of the key %1 %3 (records: %2)</translation>
    </message>
    <message>
        <source>Удаление ключа %1 %3 (записей: %2)</source>
        <translation>Deletion of the key %1 %3 (records: %2)</translation>
    </message>
    <message>
        <source>Ключ %1 уже есть в позиции %2 цепочки корзины %3: полином записи заменён</source>
        <translation>The key %1 is already at position %2 in the chain of bucket %3: the record&apos;s polynomial is replaced</translation>
    </message>
    <message>
        <source>Ключ %1 уже есть в позиции %2: полином записи заменён</source>
        <translation>The key %1 is already at position %2: the record&apos;s polynomial is replaced</translation>
    </message>
    <message>
        <source>Сумма кодов символов ключа %1: %2; %3 mod %4 = %5: корзина %5 (пуста)</source>
        <translation>Sum of the character codes of the key %1: %2; %3 mod %4 = %5: bucket %5 (empty)</translation>
    </message>
    <message>
        <source>Сумма кодов символов ключа %1: %2; %3 mod %4 = %5: корзина %5</source>
        <translation>Sum of the character codes of the key %1: %2; %3 mod %4 = %5: bucket %5</translation>
    </message>
    <message>
        <source>Сравнение ключа %1 с ключом %2 в позиции %3 цепочки корзины %5: ключи совпали; это сравнение не считается, операций: %4</source>
        <translation>Comparing the key %1 with the key %2 at position %3 in the chain of bucket %5: the keys match; this comparison is not counted, operations: %4</translation>
    </message>
    <message>
        <source>Сравнение ключа %1 с ключом %2 в позиции %3: ключи совпали; это сравнение не считается, операций: %4</source>
        <translation>Comparing the key %1 with the key %2 at position %3: the keys match; this comparison is not counted, operations: %4</translation>
    </message>
    <message>
        <source>Сравнение ключа %1 с ключом %2 в позиции %3 цепочки корзины %5: не совпадают, операций: %4; звеньев больше нет</source>
        <translation>Comparing the key %1 with the key %2 at position %3 in the chain of bucket %5: no match, operations: %4; no more links</translation>
    </message>
    <message>
        <source>Сравнение ключа %1 с ключом %2 в позиции %3: не совпадают, операций: %4; звеньев больше нет</source>
        <translation>Comparing the key %1 with the key %2 at position %3: no match, operations: %4; no more links</translation>
    </message>
    <message>
        <source>Сравнение ключа %1 с ключом %2 в позиции %3 цепочки корзины %6: не совпадают, операций: %4; переход к звену %5</source>
        <translation>Comparing the key %1 with the key %2 at position %3 in the chain of bucket %6: no match, operations: %4; on to link %5</translation>
    </message>
    <message>
        <source>Сравнение ключа %1 с ключом %2 в позиции %3: не совпадают, операций: %4; переход к звену %5</source>
        <translation>Comparing the key %1 with the key %2 at position %3: no match, operations: %4; on to link %5</translation>
    </message>
    <message>
        <source>Сравнение ключа %1 с ключом %2 в позиции %3: ключи совпали; сравнение считается и здесь; операций: %4</source>
        <translation>Comparing the key %1 with the key %2 at position %3: the keys match; here this comparison is counted too; operations: %4</translation>
    </message>
    <message>
        <source>Сравнение ключа %1 с ключом %2 в позиции %3: искомый меньше, hi = %5; операций: %4</source>
        <translation>Comparing the key %1 with the key %2 at position %3: the key sought is smaller, hi = %5; operations: %4</translation>
    </message>
    <message>
        <source>Сравнение ключа %1 с ключом %2 в позиции %3: искомый больше, lo = %5; операций: %4</source>
        <translation>Comparing the key %1 with the key %2 at position %3: the key sought is greater, lo = %5; operations: %4</translation>
    </message>
    <message>
        <source>Пустая ячейка %1 сдвигается в позицию %2; операций: %3</source>
        <translation>The empty cell %1 shifts to position %2; operations: %3</translation>
    </message>
    <message>
        <source>Запись %1 сдвигается из позиции %2 в позицию %3; операций: %4</source>
        <translation>The record %1 shifts from position %2 to position %3; operations: %4</translation>
    </message>
    <message>
        <source>Последняя запись %1 в позиции %2 цепочки корзины %4 переносится на место удаляемой, в позицию %3</source>
        <translation>The last record %1 at position %2 in the chain of bucket %4 moves into the place of the one deleted, position %3</translation>
    </message>
    <message>
        <source>Последняя запись %1 в позиции %2 переносится на место удаляемой, в позицию %3</source>
        <translation>The last record %1 at position %2 moves into the place of the one deleted, position %3</translation>
    </message>
    <message>
        <source>Новая запись %1 ставится в позицию %2</source>
        <translation>The new record %1 goes to position %2</translation>
    </message>
    <message>
        <source>Корзина %2 была пуста: для неё создана цепочка, запись %1 в позиции %3</source>
        <translation>Bucket %2 was empty: a chain is made for it, the record %1 at position %3</translation>
    </message>
    <message>
        <source>Новая запись %1 добавляется в конец цепочки корзины %3, позиция %2</source>
        <translation>The new record %1 is added at the end of the chain of bucket %3, position %2</translation>
    </message>
    <message>
        <source>Новая запись %1 добавляется в конец кольца, позиция %2</source>
        <translation>The new record %1 is added at the end of the ring, position %2</translation>
    </message>
    <message>
        <source>Запись %1 в позиции %2 освобождена; следующие записи сдвигаются на её место</source>
        <translation>The record %1 at position %2 is released; the following records shift into its place</translation>
    </message>
    <message>
        <source>Последнее звено в позиции %1 цепочки корзины %2 удалено; цепочка корзины %2 опустела и освобождена</source>
        <translation>The last link at position %1 in the chain of bucket %2 is deleted; the chain of bucket %2 is left empty and released</translation>
    </message>
    <message>
        <source>Последнее звено в позиции %1 цепочки корзины %2 удалено</source>
        <translation>The last link at position %1 in the chain of bucket %2 is deleted</translation>
    </message>
    <message>
        <source>Последнее звено в позиции %1 удалено</source>
        <translation>The last link at position %1 is deleted</translation>
    </message>
    <message>
        <source>Ключ %1 найден в корзине %2, позиция %3 цепочки</source>
        <translation>The key %1 is found in bucket %2, position %3 of the chain</translation>
    </message>
    <message>
        <source>Ключ %1 найден в позиции %2</source>
        <translation>The key %1 is found at position %2</translation>
    </message>
    <message>
        <source>Ключа %1 нет в таблице: lo = %2 больше hi = %3</source>
        <translation>The key %1 is not in the table: lo = %2 is greater than hi = %3</translation>
    </message>
    <message>
        <source>Ключа %1 нет в таблице</source>
        <translation>The key %1 is not in the table</translation>
    </message>
    <message>
        <source>Таблица заполнена: запись %1 не вставлена</source>
        <translation>The table is full: the record %1 is not inserted</translation>
    </message>
    <message>
        <source>Запись %1 не вставлена</source>
        <translation>The record %1 is not inserted</translation>
    </message>
    <message>
        <source>Полином записи %1 в корзине %2, позиция %3 цепочки заменён</source>
        <translation>The polynomial of the record %1 in bucket %2, position %3 of the chain, is replaced</translation>
    </message>
    <message>
        <source>Полином записи %1 в позиции %2 заменён</source>
        <translation>The polynomial of the record %1 at position %2 is replaced</translation>
    </message>
    <message>
        <source>Запись %1 вставлена в корзине %2, позиция %3 цепочки</source>
        <translation>The record %1 is inserted in bucket %2, position %3 of the chain</translation>
    </message>
    <message>
        <source>Запись %1 вставлена в позиции %2</source>
        <translation>The record %1 is inserted at position %2</translation>
    </message>
    <message>
        <source>Таблица пуста: удалять нечего</source>
        <translation>The table is empty: nothing to delete</translation>
    </message>
    <message>
        <source>Ключа %1 нет в таблице: удалять нечего</source>
        <translation>The key %1 is not in the table: nothing to delete</translation>
    </message>
    <message>
        <source>Запись %1 удалена</source>
        <translation>The record %1 is deleted</translation>
    </message>
    <message>
        <source>%2. Операций: %1 (считаются все сравнения и сдвиги записей)</source>
        <translation>%2. Operations: %1 (every comparison and every shift of a record counts)</translation>
    </message>
    <message>
        <source>%2. Операций: %1 (считаются сравнения без совпадения)</source>
        <translation>%2. Operations: %1 (only comparisons without a match count)</translation>
    </message>
    <message>
        <source>%2 (записей: %1)</source>
        <translation>%2 (records: %1)</translation>
    </message>
</context>
<context>
    <name>TTableStepsPage</name>
    <message>
        <source>Поиск</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>Вставка</source>
        <translation>Insertion</translation>
    </message>
    <message>
        <source>Удаление</source>
        <translation>Deletion</translation>
    </message>
    <message>
        <source>Ключ операции: латинские буквы и цифры</source>
        <translation>Key of the operation: Latin letters and digits</translation>
    </message>
    <message>
        <source>Количество корзин таблицы с вычисляемыми адресами</source>
        <translation>Number of buckets of the hash table</translation>
    </message>
    <message>
        <source>Копия таблицы полиномов</source>
        <translation>Copy of the polynomial table</translation>
    </message>
    <message>
        <source>Случайные ключи</source>
        <translation>Random keys</translation>
    </message>
    <message>
        <source>Количество случайных ключей</source>
        <translation>Number of random keys</translation>
    </message>
    <message>
        <source>Обновить</source>
        <translation>Refresh</translation>
    </message>
    <message>
        <source>Взять таблицу заново: копию таблицы полиномов или новые ключи</source>
        <translation>Take the table anew: a copy of the polynomial table or new keys</translation>
    </message>
    <message>
        <source>&amp;Организация:</source>
        <translation>&amp;Organisation:</translation>
    </message>
    <message>
        <source>&amp;Корзин:</source>
        <translation>&amp;Buckets:</translation>
    </message>
    <message>
        <source>Оп&amp;ерация:</source>
        <translation>Op&amp;eration:</translation>
    </message>
    <message>
        <source>&amp;Ключ:</source>
        <translation>&amp;Key:</translation>
    </message>
</context>
<context>
    <name>TTransStepPicture</name>
    <message>
        <source>Текст</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>Лексемы</source>
        <translation>Lexemes</translation>
    </message>
    <message>
        <source>Infix</source>
        <translation>Infix</translation>
    </message>
    <message>
        <source>Выход</source>
        <translation>Output</translation>
    </message>
    <message>
        <source>Стек операций</source>
        <translation>Operation stack</translation>
    </message>
    <message>
        <source>Postfix</source>
        <translation>Postfix</translation>
    </message>
    <message>
        <source>Стек значений</source>
        <translation>Value stack</translation>
    </message>
    <message>
        <source>Этап 1: лексемы</source>
        <translation>Stage 1: lexemes</translation>
    </message>
    <message>
        <source>Этап 2: постфиксная запись</source>
        <translation>Stage 2: postfix notation</translation>
    </message>
    <message>
        <source>Этап 3: вычисление</source>
        <translation>Stage 3: evaluation</translation>
    </message>
    <message>
        <source>число</source>
        <translation>number</translation>
    </message>
    <message>
        <source>переменная</source>
        <translation>variable</translation>
    </message>
    <message>
        <source>полином таблицы, FindRecord: %1</source>
        <translation>table polynomial, FindRecord: %1</translation>
    </message>
</context>
<context>
    <name>TTransSteps</name>
    <message>
        <source>Этап 1. Лексемы (ParseFormula):</source>
        <translation>Stage 1. Lexemes (ParseFormula):</translation>
    </message>
    <message>
        <source>  удалить пробелы, проверить символы</source>
        <translation>  remove the spaces, check the characters</translation>
    </message>
    <message>
        <source>  проверить расстановку скобок</source>
        <translation>  check the brackets</translation>
    </message>
    <message>
        <source>  Infix := «(»; пока в тексте есть операция:</source>
        <translation>  Infix := «(»; while the text holds an operation:</translation>
    </message>
    <message>
        <source>    найти следующую операцию, проверить её соседей</source>
        <translation>    find the next operation, check its neighbours</translation>
    </message>
    <message>
        <source>    текст перед ней — операнд: число, переменная или имя (FindRecord)</source>
        <translation>    the text before it is an operand: a number, a variable or a name (FindRecord)</translation>
    </message>
    <message>
        <source>    коды скобок и номер лексемы операнда → Infix</source>
        <translation>    the codes of brackets and the operand&apos;s lexeme number → Infix</translation>
    </message>
    <message>
        <source>    код операции → Infix</source>
        <translation>    the operation&apos;s code → Infix</translation>
    </message>
    <message>
        <source>  последний операнд → Infix; Infix := Infix + «)»</source>
        <translation>  the last operand → Infix; Infix := Infix + «)»</translation>
    </message>
    <message>
        <source>Этап 2. Постфиксная запись (MakePostfix):</source>
        <translation>Stage 2. Postfix notation (MakePostfix):</translation>
    </message>
    <message>
        <source>  для каждого кода Q из Infix:</source>
        <translation>  for each code Q of Infix:</translation>
    </message>
    <message>
        <source>    операнд: в выходную строку</source>
        <translation>    operand: to the output</translation>
    </message>
    <message>
        <source>    операция: пока приоритет вершины стека ≥ приоритета Q: вершину в выходную строку</source>
        <translation>    operation: while the priority of the stack&apos;s top ≥ the priority of Q: the top to the output</translation>
    </message>
    <message>
        <source>      затем Q в стек (открывающая скобка — сразу в стек)</source>
        <translation>      then Q onto the stack (an opening bracket goes straight onto the stack)</translation>
    </message>
    <message>
        <source>    закрывающая скобка: из стека в выходную строку до открывающей скобки</source>
        <translation>    closing bracket: from the stack to the output down to the opening bracket</translation>
    </message>
    <message>
        <source>  стек должен опустеть, запись — сводиться к одному значению</source>
        <translation>  the stack must end empty, the notation must reduce to one value</translation>
    </message>
    <message>
        <source>Этап 3. Вычисление (Calculate):</source>
        <translation>Stage 3. Evaluation (Calculate):</translation>
    </message>
    <message>
        <source>  для каждого кода постфиксной записи слева направо:</source>
        <translation>  for each code of the postfix notation from left to right:</translation>
    </message>
    <message>
        <source>    операнд: его полином в стек</source>
        <translation>    operand: its polynomial onto the stack</translation>
    </message>
    <message>
        <source>    операция: снять операнды со стека (правый — верхний)</source>
        <translation>    operation: take its operands from the stack (the right one on top)</translation>
    </message>
    <message>
        <source>      выполнить операцию, результат в стек</source>
        <translation>      carry out the operation, its result onto the stack</translation>
    </message>
    <message>
        <source>  значение формулы — единственное значение в стеке</source>
        <translation>  the formula&apos;s value is the one value on the stack</translation>
    </message>
    <message>
        <source>Пробелы удалены, все символы допустимы: «%1»</source>
        <translation>Spaces removed, every character allowed: «%1»</translation>
    </message>
    <message>
        <source>Инфиксная запись: %1</source>
        <translation>Infix notation: %1</translation>
    </message>
    <message>
        <source>Скобки расставлены правильно</source>
        <translation>The brackets are placed correctly</translation>
    </message>
    <message>
        <source>Операция «%1» в позиции %2</source>
        <translation>Operation «%1» at position %2</translation>
    </message>
    <message>
        <source>Код операции «%1» (%2) → Infix; в тексте операция заменена знаком #</source>
        <translation>Code of operation «%1» (%2) → Infix; in the text the operation is replaced by #</translation>
    </message>
    <message>
        <source>Операнд «%1» в позиции %2 уже встречался: лексема %3</source>
        <translation>Operand «%1» at position %2 was met before: lexeme %3</translation>
    </message>
    <message>
        <source>Операнд «%1» в позиции %2 — число: лексема %3</source>
        <translation>Operand «%1» at position %2 is a number: lexeme %3</translation>
    </message>
    <message>
        <source>Операнд «%1» в позиции %2 — переменная: лексема %3</source>
        <translation>Operand «%1» at position %2 is a variable: lexeme %3</translation>
    </message>
    <message>
        <source>Операнд «%1» в позиции %2 — имя: FindRecord нашёл полином в позиции %3, лексема %4</source>
        <translation>Operand «%1» at position %2 is a name: FindRecord found the polynomial at position %3, lexeme %4</translation>
    </message>
    <message>
        <source>Операнд «%1» в позиции %2 — имя: FindRecord вернул %3, такого полинома в таблице нет</source>
        <translation>Operand «%1» at position %2 is a name: FindRecord returned %3, the table has no such polynomial</translation>
    </message>
    <message>
        <source>Операнд «%1» → в выходную строку</source>
        <translation>Operand «%1» → to the output</translation>
    </message>
    <message>
        <source>Закрывающая скобка: «%1» из стека в выходную строку</source>
        <translation>Closing bracket: «%1» from the stack to the output</translation>
    </message>
    <message>
        <source>Приоритет «%1» (%2) не ниже, чем «%3» (%4): «%1» из стека в выходную строку</source>
        <translation>Priority of «%1» (%2) is not below that of «%3» (%4): «%1» from the stack to the output</translation>
    </message>
    <message>
        <source>Закрывающая скобка снимает «(» со стека</source>
        <translation>The closing bracket takes «(» off the stack</translation>
    </message>
    <message>
        <source>Открывающая скобка — в стек</source>
        <translation>Opening bracket: onto the stack</translation>
    </message>
    <message>
        <source>Стек пуст: «%1» (%2) — в стек</source>
        <translation>The stack is empty: «%1» (%2) onto the stack</translation>
    </message>
    <message>
        <source>Приоритет «%1» (%2) выше, чем «%3» (%4): в стек</source>
        <translation>Priority of «%1» (%2) is above that of «%3» (%4): onto the stack</translation>
    </message>
    <message>
        <source>Операнд «%1» → в стек: %2</source>
        <translation>Operand «%1» → onto the stack: %2</translation>
    </message>
    <message>
        <source>«%1» над двумя верхними значениями стека: результат %2</source>
        <translation>«%1» on the two top values of the stack: result %2</translation>
    </message>
    <message>
        <source>«%1» над верхним значением стека: результат %2</source>
        <translation>«%1» on the top value of the stack: result %2</translation>
    </message>
    <message>
        <source>Ошибка: %1</source>
        <translation>Error: %1</translation>
    </message>
    <message>
        <source>Формула длиннее %1 символов: пошаговый показ строится только для более коротких</source>
        <translation>The formula is longer than %1 characters: steps are shown for shorter ones only</translation>
    </message>
    <message>
        <source>Формула «%1»</source>
        <translation>Formula «%1»</translation>
    </message>
    <message>
        <source>Постфиксная запись: %1</source>
        <translation>Postfix notation: %1</translation>
    </message>
    <message>
        <source>Значение формулы: %1</source>
        <translation>Value of the formula: %1</translation>
    </message>
</context>
<context>
    <name>TTransStepsPage</name>
    <message>
        <source>Формула над x, y, z, числами и полиномами таблицы; Enter показывает её шаги</source>
        <translation>A formula over x, y, z, numbers and the table&apos;s polynomials; Enter shows its steps</translation>
    </message>
    <message>
        <source>Из окна &amp;вычислений</source>
        <translation>From the &amp;calculation window</translation>
    </message>
    <message>
        <source>Взять формулу из окна вычислений</source>
        <translation>Take the formula from the calculation window</translation>
    </message>
    <message>
        <source>&amp;Разобрать</source>
        <translation>&amp;Parse</translation>
    </message>
    <message>
        <source>Показать шаги формулы (таблица берётся заново)</source>
        <translation>Show the steps of the formula (the table is taken afresh)</translation>
    </message>
    <message>
        <source>&amp;Формула:</source>
        <translation>&amp;Formula:</translation>
    </message>
    <message>
        <source>Формула разбирается и вычисляется…</source>
        <translation>The formula is being parsed and evaluated…</translation>
    </message>
    <message>
        <source>&amp;Остановить</source>
        <translation>&amp;Stop</translation>
    </message>
</context>
<context>
    <name>TableFile</name>
    <message>
        <source>Полином %1 удалён или переименован другой копией программы</source>
        <translation>Polynomial %1 was deleted or renamed by another copy of the program</translation>
    </message>
    <message>
        <source>Полиномы %1 удалены или переименованы другой копией программы</source>
        <translation>Polynomials %1 were deleted or renamed by another copy of the program</translation>
    </message>
    <message>
        <source>Полином %1 изменён и другой копией программы: сохранён вариант этой копии</source>
        <translation>Polynomial %1 was changed by another copy of the program too: this copy&apos;s version is saved</translation>
    </message>
    <message>
        <source>Полиномы %1 изменены и другой копией программы: сохранены варианты этой копии</source>
        <translation>Polynomials %1 were changed by another copy of the program too: this copy&apos;s versions are saved</translation>
    </message>
    <message>
        <source>у таблицы нет файла</source>
        <translation>the table has no file</translation>
    </message>
    <message>
        <source>названия, которые нельзя записать в файл: %1</source>
        <translation>names that cannot be written to the file: %1</translation>
    </message>
</context>
<context>
    <name>TableKinds</name>
    <message>
        <source>Просмотровая таблица</source>
        <translation>Scan table</translation>
    </message>
    <message>
        <source>Просмотровая</source>
        <translation>Scan</translation>
    </message>
    <message>
        <source>в просмотровой таблице</source>
        <translation>in the scan table</translation>
    </message>
    <message>
        <source>Просмотровая таблица;</source>
        <translation>Scan table;</translation>
    </message>
    <message>
        <source>Просмотровая табл.:</source>
        <translation>Scan table:</translation>
    </message>
    <message>
        <source>Обобщённая эффективность просмотровой таблицы</source>
        <translation>Overall efficiency of the scan table</translation>
    </message>
    <message>
        <source>Упорядоченная таблица</source>
        <translation>Sorted table</translation>
    </message>
    <message>
        <source>Упорядоченная</source>
        <translation>Sorted</translation>
    </message>
    <message>
        <source>в упорядоченной таблице</source>
        <translation>in the sorted table</translation>
    </message>
    <message>
        <source>Упорядоченная таблица;</source>
        <translation>Sorted table;</translation>
    </message>
    <message>
        <source>Упорядоченная табл.:</source>
        <translation>Sorted table:</translation>
    </message>
    <message>
        <source>Обобщённая эффективность упорядоченной таблицы</source>
        <translation>Overall efficiency of the sorted table</translation>
    </message>
    <message>
        <source>Таблица с вычисляемыми адресами</source>
        <translation>Table with computed addresses</translation>
    </message>
    <message>
        <source>С выч. адресами</source>
        <translation>Computed addresses</translation>
    </message>
    <message>
        <source>в таблице с вычисляемыми адресами</source>
        <translation>in the table with computed addresses</translation>
    </message>
    <message>
        <source>Таблица с выч. адресами</source>
        <translation>Table with computed addresses</translation>
    </message>
    <message>
        <source>Табл. с выч. адресами:</source>
        <translation>Computed-address table:</translation>
    </message>
    <message>
        <source>Обобщённая эффективность таблицы с хэшированием</source>
        <translation>Overall efficiency of the hash table</translation>
    </message>
    <message>
        <source>переход к просмотровой таблице</source>
        <translation>switch to the scan table</translation>
    </message>
    <message>
        <source>переход к упорядоченной таблице</source>
        <translation>switch to the sorted table</translation>
    </message>
    <message>
        <source>переход к таблице с вычисляемыми адресами</source>
        <translation>switch to the hash table</translation>
    </message>
</context>
</TS>
