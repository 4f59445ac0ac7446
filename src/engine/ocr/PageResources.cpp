#include "engine/ocr/PageResources.h"

namespace PDFEngine::PageResources {

QPDFObjectHandle own(QPDFPageObjectHelper& page)
{
    QPDFObjectHandle current = page.getAttribute("/Resources", false);
    QPDFObjectHandle resources = current.isDictionary() ? current.shallowCopy()
                                                        : QPDFObjectHandle::newDictionary();
    QPDFObjectHandle xobjects = resources.getKey("/XObject");
    resources.replaceKey("/XObject", xobjects.isDictionary() ? xobjects.shallowCopy()
                                                             : QPDFObjectHandle::newDictionary());
    page.getObjectHandle().replaceKey("/Resources", resources);
    return resources;
}

} // namespace PDFEngine::PageResources
