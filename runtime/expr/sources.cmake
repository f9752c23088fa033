target_sources(cdzrt PRIVATE
    expr/Bindings.h expr/Bindings.cpp
    expr/ExprAst.h expr/ExprAst.cpp
    expr/ExprBinder.h expr/ExprBinder.cpp
    expr/ExprError.h
    expr/ExprFunctions.h expr/ExprFunctions.cpp
    expr/ExprLexer.h expr/ExprLexer.cpp
    expr/ExprOperand.h
    expr/ExprParser.h expr/ExprParser.cpp
    expr/ExprProgram.h expr/ExprProgram.cpp
    expr/ExprValue.h expr/ExprValue.cpp
    expr/Expression.h expr/Expression.cpp
)
