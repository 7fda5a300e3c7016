#include "shell/TopLevel.h"

#include <ostream>
#include <typeinfo>

#include <boost/exception/diagnostic_information.hpp>
#include <boost/exception/exception.hpp>

#include "lum/util/ClassName.h"
#include "lum/util/Exception.h"

namespace lum {

const char* const closingLine = ">>>==== !GAME OVER! ====<<<";

bool runGuarded(const std::function<void()>& body, std::ostream& err) {
    try {
        body();
        return true;
    } catch (const Exception& e) {
        err << "caught " << e << std::endl;
    } catch (const boost::exception& e) {
        err << "caught " << className(typeid(e)) << " : " << boost::diagnostic_information(e)
            << std::endl;
    } catch (const std::exception& e) {
        err << "caught " << className(typeid(e)) << " : " << e.what() << std::endl;
    } catch (...) {
        err << "caught something that was no exception." << std::endl;
    }
    return false;
}

}  // namespace lum
