<!--#include virtual="comune.inc"-->
<%
// The contact form: the visitor's message goes by mail to the shop's
// information address. What he typed comes back escaped when it needs
// mending.
var paginaCorrente = "/contatti.asp";
var titoloPagina = T("PMTCONTATTI", "Contatti");
var inviato = false;
var errore = "";
var campi = { Mittente: "", Email: "", Telefono: "", Messaggio: "" };
if (String(Request.ServerVariables("REQUEST_METHOD")) === "POST") {
    for (var campo in campi)
        campi[campo] = String(Request.Form(campo) || "").trim();
    var emailValida = /^[^\s@<>"]+@[^\s@<>"]+\.[^\s@<>"]+$/.test(campi.Email);
    if (campi.Mittente === "" || !emailValida || campi.Messaggio === "") {
        errore = T("ERRMESSAGGIO", "Scrivere il nome, un indirizzo e-mail valido e il messaggio.");
    } else {
        try {
            generale.InviaMessaggi();
            inviato = true;
        } catch (e) {
            errore = T("ERRINVIO", "Non è stato possibile inviare il messaggio. Riprova più tardi o telefonaci.");
        }
    }
}
%>
<!--#include virtual="testa.inc"-->
<div class="pagina-testo">
  <section class="testo">
    <h1><%= H(T("PMTSCRIVICI", "Scrivici")) %></h1>
<% if (inviato) { %>
    <p class="messaggio ok" role="status"><%= H(T("MSGINVIATO", "Grazie, il tuo messaggio è stato inviato.")) %></p>
<% } else { %>
<%   if (errore !== "") { %>
    <p class="messaggio errore" role="alert"><%= H(errore) %></p>
<%   } %>
    <form class="modulo" method="post" action="/contatti.asp">
      <label for="mittente"><%= H(T("PMTNOME", "Nome")) %></label>
      <input id="mittente" name="Mittente" type="text" required maxlength="100" autocomplete="name" value="<%= H(campi.Mittente) %>">
      <label for="email"><%= H(T("PMTEMAIL", "E-mail")) %></label>
      <input id="email" name="Email" type="email" required maxlength="200" autocomplete="email" value="<%= H(campi.Email) %>">
      <label for="telefono"><%= H(T("PMTTELEFONO", "Telefono")) %></label>
      <input id="telefono" name="Telefono" type="tel" maxlength="40" autocomplete="tel" value="<%= H(campi.Telefono) %>">
      <label for="messaggio"><%= H(T("PMTMESSAGGIO", "Messaggio")) %></label>
      <textarea id="messaggio" name="Messaggio" rows="7" required maxlength="5000"><%= H(campi.Messaggio) %></textarea>
      <button class="bottone" type="submit"><%= H(T("PMTINVIA", "Invia")) %></button>
    </form>
<% } %>
  </section>
  <aside class="recapiti">
    <h2><%= H(generale.RagioneSociale) %></h2>
    <p><%= H(generale.Indirizzo) %><br><%= H(generale.Cap) %> <%= H(generale.Localita) %> (<%= H(generale.Provincia) %>)</p>
<% if (String(generale.TelefonoInfo) !== "") { %>
    <p><%= H(T("PMTTELEFONO", "Telefono")) %>: <%= H(generale.TelefonoInfo) %></p>
<% } %>
  </aside>
</div>
<!--#include virtual="piede.inc"-->
