#include "drill/core/AnswerCheck.h"

bool isRightAnswer(const QString &answer, const QString &digit)
{
    return answer.compare(digit, Qt::CaseSensitive) == 0;
}
