#include "testutil.h"

#include "data/problems.h"

namespace testutil {

ProblemCounter::ProblemCounter()
{
    zarfan::forgetReportedProblems();
    zarfan::closeSharedConnections();
    zarfan::setProblemReporter([this](const QString &m) { messages.append(m); });
}

ProblemCounter::~ProblemCounter()
{
    zarfan::setProblemReporter({});
    zarfan::forgetReportedProblems();
}

} // namespace testutil
