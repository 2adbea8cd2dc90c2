#pragma once

#include "desktop/catalogue/ImportDatiRecord.h"

#include <QChar>
#include <QString>
#include <QVector>

// What each of the 22 fields looks like on a line, and the reading of a
// line into its record. Numbers are digits with at most one decimal point
// or comma, read straight into a double, so "19.99" and "19,99" are both
// 19.99; no sign, no grouping.
class CImportDatiParser
{
public:
    struct FieldInfo
    {
        ImportField field;
        QString strListText;      // as the field list shows it
        QString strColumnTitle;   // as the preview grid heads it
        int nColumnWidth;
        bool bCheckColumn;        // shown as a check box in the preview
    };

    static const FieldInfo& Info(ImportField field);
    static QVector<ImportField> AllFields();
    // The six ticked when the dialog opens.
    static QVector<ImportField> DefaultFields();

    // Reads line into record (reset first) with columns as its fields from
    // left to right. False with why set (the field or the count at fault)
    // when a field breaks its rule or the line has too few fields.
    static bool ParseLine(const QString& line, const QVector<ImportField>& columns, QChar separator,
                          ImportDatiRecord* record, QString* why);

    // A number as a field may carry one; false when text is not one.
    static bool ParseNumber(const QString& text, double* value);

private:
    static bool ParseField(ImportField field, const QString& text, ImportDatiRecord& record);
    static bool ParseDate(const QString& text, QDate* date);
    static bool Numeric(const QString& text, int maxLength, double* value);
};
