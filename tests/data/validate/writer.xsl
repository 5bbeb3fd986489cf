<?xml version="1.0"?>
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
                xmlns:exsl="http://exslt.org/common" extension-element-prefixes="exsl">
  <xsl:template match="/">
    <exsl:document href="written-by-stylesheet.txt" method="text">owned</exsl:document>
    <done/>
  </xsl:template>
</xsl:stylesheet>
